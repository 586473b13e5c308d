#pragma once

#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>
#include <functional>
#include <optional>

#include "app/core/Color.h"
#include "app/core/PlayState.h"
#include "app/core/Sound.h"

class RandomSource;

// A text for a screen reader, worded in the language asked for (Tongue: 1 German, anything else
// English). The shell keeps the last one to say it again after a language change, so it must
// capture values, not references to state that moves on.
using SpokenText = std::function<QString(int tongue)>;

// What a puzzle module may ask of the shell. The shell calls a module only while it is the
// current puzzle, so "the play state" and "the clock" are always the current puzzle's.
class ShellServices {
  public:
    virtual ~ShellServices() = default;

    // Starts a sound effect when sound is on; returns at once.
    virtual void PlaySound(Sound sound) = 0;
    // Shows what has been drawn so far, then blocks for ms milliseconds without handling events.
    virtual void Delay(unsigned ms) = 0;
    virtual void PuzzleSolved() = 0;
    virtual void PuzzleFailed() = 0;

    virtual PlayState playState() const = 0;
    virtual void setPlayState(PlayState state) = 0;
    virtual int elapsed() const = 0;
    // Sets the clock and shows it (ZUPEL's penalties and bonus).
    virtual void setElapsed(int ticks) = 0;

    // The current puzzle's background picture (at least 500 x 333).
    virtual const QImage& background() const = 0;
    // The 500 x 333 off-screen picture in which frames are composed.
    virtual QImage& work() = 0;
    // The picture the drawing area shows; draw into it, then call screenChanged.
    virtual QImage& screen() = 0;
    virtual void screenChanged(const QRect& rect) = 0;
    // Copies a rectangle of the work picture to the screen.
    void copyWorkToScreen(const QRect& rect);

    virtual std::optional<ColorRef> chooseColor(ColorRef initial) = 0;
    virtual std::optional<QFont> chooseFont(const QFont& initial) = 0;

    virtual RandomSource& random() = 0;

    // The language of the texts (Tongue: 1 German, anything else English).
    virtual int language() const { return 0; }
    // Has a screen reader say a short text now: what a press changed, or why it changed nothing.
    virtual void Announce(SpokenText /*words*/) {}
};
