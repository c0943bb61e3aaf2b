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
