#pragma once

#include <QString>

// The media player the main window plays its music with: one piece at a time.
class MusicPlayer {
  public:
    virtual ~MusicPlayer() = default;

    // Takes the piece in the file, ready to play from its beginning; false when it cannot be played.
    virtual bool open(const QString& file) = 0;
    virtual void close() = 0;
    // Plays on from the current position, from the beginning once the piece has ended, and returns
    // at once; false when no music can sound at all.
    virtual bool play() = 0;
    virtual void stop() = 0;
    // Pauses when playing, resumes when paused.
    virtual void pause() = 0;
    virtual bool isPlaying() const = 0;
};
