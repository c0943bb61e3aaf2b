#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

#include "platform/Clock.h"

// A fresh game for each test: an empty data folder as the current directory,
// engine state and message window zeroed, a new main window with the system menu,
// a stepped clock, and the end of the program intercepted.
class GameFixture : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Writes Lanternwick.dat in CP932 with CR LF line ends.
    void writeScenario(const QStringList& lines);
    // Writes any file of the data folder as raw bytes.
    void writeFile(const QString& name, const QByteArray& bytes);
    QString dataDir() const { return dir_->path(); }
    // A picture of one colour (0xRRGGBB) in the data folder; the format follows
    // the name's extension. Frames of a strip get their index in the blue channel
    // of a band at their top, so tests can tell them apart.
    void writePicture(const QString& name, int width, int height, uint32_t rgb);
    void writeStrip(const QString& name, int frames, int frameHeight, uint32_t rgb);

    // Starts the story as New Game does.
    void newGame();
    // Lets a waiting story go on as the Next button does.
    void next();

    QString messageText() const;

    SteppedClock clock_;

  private:
    std::unique_ptr<QTemporaryDir> dir_;
    QString previousDir_;
};

// The scenario file's bytes: CP932, CR LF after every line.
QByteArray ScenarioBytes(const QStringList& lines);
