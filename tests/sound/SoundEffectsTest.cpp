#include <gtest/gtest.h>

#include "app/sound/SoundEffects.h"
#include "sound/SoundFakes.h"

namespace {

TEST(SoundEffects, EachSoundReachesTheEffectOfItsIndexThroughOneStream)
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
    EXPECT_EQ(module.streamsOpened, 1) << "no stream per play";
}

TEST(SoundEffects, OpenedWhenPreparedAndNotBefore)
{
    FakeModule module;
    int asked = 0;
    SoundEffects effects([&] {
        ++asked;
        return &module;
    });
    EXPECT_EQ(asked, 0) << "nothing is loaded before it is needed";
    EXPECT_FALSE(effects.prepared());
    effects.prepare();
    EXPECT_TRUE(effects.prepared());
    EXPECT_EQ(module.streamsOpened, 1);
    EXPECT_TRUE(module.log.empty());
    effects.play(Sound::VexorShift);
    effects.prepare();
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(module.streamsOpened, 1);
    EXPECT_EQ(module.log, (CallLog{"play 6"}));
}

TEST(SoundEffects, WithoutTheModuleOrItsStreamEverythingStaysSilent)
{
    FakeModule broken;
    broken.effectsLoad = false;
    SoundEffects noStream([&broken] { return &broken; });
    noStream.play(Sound::Solved);
    noStream.play(Sound::Failed);
    EXPECT_EQ(broken.streamsOpened, 1) << "a module that failed once is not asked again";
    SoundEffects noModule([] { return static_cast<SoundModule*>(nullptr); });
    noModule.prepare();
    noModule.play(Sound::Solved); // nothing to see: it must simply not fail
    SoundEffects none({});
    none.play(Sound::Failed);
}

} // namespace
