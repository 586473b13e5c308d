#include <gtest/gtest.h>

#include "app/sound/SoundEffects.h"
#include "sound/SoundFakes.h"

namespace {

TEST(SoundEffects, EachSoundReachesTheEffectOfItsIndex)
{
    FakeModule module;
    SoundEffects effects([&module] { return &module; });
    const Sound all[] = {Sound::PlivaRightMove, Sound::PlivaLeftMove, Sound::PlivaColumn, Sound::ZupelPenalty,
                         Sound::ZupelDigit,     Sound::ZupelCountUp,  Sound::VexorShift,  Sound::VexorArrow,
                         Sound::HuxelBlock,     Sound::HuxelRotate,   Sound::Solved,      Sound::Failed,
                         Sound::PlivaRefused};
    for (int i = 0; i < SoundCount; ++i) {
        effects.play(all[i]);
        ASSERT_FALSE(module.log.empty());
        EXPECT_EQ(module.log.back(), "play " + std::to_string(i)) << SoundNames[i];
    }
    EXPECT_EQ(module.effectsMade, SoundCount) << "each effect is made once";
}

TEST(SoundEffects, ANewEffectCutsOffTheOneSounding)
{
    FakeModule module;
    SoundEffects effects([&module] { return &module; });
    effects.play(Sound::ZupelPenalty);
    effects.play(Sound::Solved);
    effects.play(Sound::Solved);
    EXPECT_EQ(module.log, (CallLog{"play 3", "stop 3", "play 10", "stop 10", "play 10"}));
}

TEST(SoundEffects, PreparedBeforeTheFirstEffect)
{
    FakeModule module;
    int asked = 0;
    SoundEffects effects([&] {
        ++asked;
        return &module;
    });
    EXPECT_EQ(asked, 0) << "nothing is loaded before it is needed";
    effects.prepare();
    EXPECT_EQ(module.effectsMade, SoundCount);
    EXPECT_TRUE(module.log.empty());
    effects.play(Sound::VexorShift);
    effects.prepare();
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(module.effectsMade, SoundCount);
    EXPECT_EQ(module.log, (CallLog{"play 6"}));
}

TEST(SoundEffects, WithoutAnOutputNothingIsMadeOrPlayedUntilOneAppears)
{
    FakeModule module;
    module.output = false;
    SoundEffects effects([&module] { return &module; });
    effects.prepare();
    effects.play(Sound::Solved);
    EXPECT_EQ(module.effectsMade, 0);
    EXPECT_TRUE(module.log.empty());

    module.output = true;
    effects.play(Sound::Failed);
    EXPECT_EQ(module.log, (CallLog{"play 11"}));
}

TEST(SoundEffects, WithoutTheAudioModuleEverythingStaysSilent)
{
    SoundEffects effects([] { return static_cast<SoundModule*>(nullptr); });
    effects.prepare();
    effects.play(Sound::Solved); // nothing to see: it must simply not fail
    SoundEffects none({});
    none.play(Sound::Failed);
}

} // namespace
