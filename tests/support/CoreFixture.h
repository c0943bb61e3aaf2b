#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

#include <memory>

// With the words every story test speaks: the engine's state, the end of the
// program, scripted message boxes and scenario lines.
#include "platform/Clock.h"
#include "platform/ProgramEnd.h"
#include "scenario/EngineState.h"
#include "support/MessageScript.h"
#include "support/RecordingStage.h"
#include "support/ScenarioText.h"
#include "support/TempFolder.h"

// A fresh game for each test: an empty data folder as the current directory,
// engine state, reader and message window zeroed, a stepped clock, the end of the
// program intercepted, no wave open. The story plays on a recording stage and
// the sound on a plain sound window; GameFixture puts the real windows there.
class CoreFixture : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Writes Lanternwick.dat in CP932 with CR LF line ends.
    void writeScenario(const QStringList& lines);
    // Writes any file of the data folder as raw bytes.
    void writeFile(const QString& name, const QByteArray& bytes);
    QString dataDir() const { return dir_->path(); }

    // Writes a scenario of label 1, `body` and the end line, and starts it.
    void play(const QStringList& body);
    // Starts the story as New Game does.
    virtual void newGame();
    // Lets a waiting story go on as the Next button does.
    virtual void next();
    virtual QString messageText() const { return stage_.messageText; }

    SteppedClock clock_;
    RecordingStage stage_;

  private:
    std::unique_ptr<TempFolder> dir_;
    std::unique_ptr<PlainSoundWindow> soundWindow_;
};

// The scenario file's bytes: CP932, CR LF after every line.
QByteArray ScenarioBytes(const QStringList& lines);
