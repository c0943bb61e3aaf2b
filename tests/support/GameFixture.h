#pragma once

#include "shell/Form1.h"
#include "support/CoreFixture.h"

// Writes a picture of one colour (0xRRGGBB); the format follows the name's
// extension. False when it cannot.
bool WritePicture(const QString& path, int width, int height, uint32_t rgb);

// A fresh game on the real windows: a new main window with the system menu and
// a new sound window, on the offscreen platform; New Game and Next are clicks.
class GameFixture : public CoreFixture {
  protected:
    void SetUp() override;
    void TearDown() override;

    // A picture of one colour (0xRRGGBB) in the data folder; the format follows
    // the name's extension. Frames of a strip get their index in the blue channel
    // of a band at their top, so tests can tell them apart.
    void writePicture(const QString& name, int width, int height, uint32_t rgb);
    void writeStrip(const QString& name, int frames, int frameHeight, uint32_t rgb);

    void newGame() override;
    void next() override;
    QString messageText() const override;
};
