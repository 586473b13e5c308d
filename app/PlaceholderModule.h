#pragma once

#include "app/core/PuzzleModule.h"
#include "app/core/ShellServices.h"

// Stands in for a puzzle that is not playable yet: shows its background, ignores input.
class PlaceholderModule final : public PuzzleModule {
  public:
    PlaceholderModule(ShellServices& services, int scoreLevel) : services_(services), scoreLevel_(scoreLevel)
    {
    }

    void NewPuzzle() override { services_.setPlayState(PlayState::Fresh); }
    void PaintPuzzle() override;
    void MouseDownLeft(int, int) override {}
    void OptionClick(bool) override {}
    void LoadSettings(const SettingsStore&) override {}
    void SaveSettings(SettingsStore&) const override {}
    int ScoreLevel() const override { return scoreLevel_; }

  private:
    ShellServices& services_;
    int scoreLevel_;
};
