#include "support/GameFixture.h"

#include <QDir>
#include <QFile>
#include <QImage>

#include "platform/ProgramEnd.h"
#include "platform/TextCodec.h"
#include "platform/TextFile.h"
#include "platform/mci/Mci.h"
#include "scenario/EngineState.h"
#include "scenario/MessageWindow.h"
#include "scenario/ScenarioReader.h"
#include "shell/Form1.h"
#include "shell/Form2.h"
#include "shell/FormStage.h"
#include "shell/SystemMenu.h"

QByteArray ScenarioBytes(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += EncodeAnsi(line) + "\r\n";
    return bytes;
}

void GameFixture::SetUp() {
    dir_ = std::make_unique<QTemporaryDir>();
    ASSERT_TRUE(dir_->isValid());
    previousDir_ = QDir::currentPath();
    QDir::setCurrent(dir_->path());

    AttachShell();
    SetClock(&clock_);
    // No wave of an earlier test stays open; sound follows this test's clock.
    ResetMediaControl();
    ResetProgramEnd();
    CloseAllFiles();
    ResetEngineState();
    ResetScenarioReader();
    ResetMessageWindow();
    DestroySoundWindow();
    DestroyMainForm();
    Engine.AppDir = dir_->path() + QLatin1Char('/');
    Engine.ChoiceFlags.fill(-1);
    MainForm();
    ArrangeButtons();
    ShowSystemMenu();
    Engine.JumpLabel = 1;
}

void GameFixture::TearDown() {
    CloseAllFiles();
    DestroyMainForm();
    DestroySoundWindow();
    ResetMediaControl();
    SetClock(nullptr);
    QDir::setCurrent(previousDir_);
    dir_.reset();
}

void GameFixture::writeScenario(const QStringList& lines) {
    writeFile(QStringLiteral("Lanternwick.dat"), ScenarioBytes(lines));
}

void GameFixture::writeFile(const QString& name, const QByteArray& bytes) {
    QFile file(dir_->filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

void GameFixture::newGame() { Command1_Click(2); }

void GameFixture::next() { Command1_Click(9); }

QString GameFixture::messageText() const { return MainForm().Label1.text(); }

void GameFixture::writePicture(const QString& name, int width, int height, uint32_t rgb) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor::fromRgb(rgb));
    ASSERT_TRUE(image.save(dir_->filePath(name))) << name.toStdString();
}

void GameFixture::writeStrip(const QString& name, int frames, int frameHeight, uint32_t rgb) {
    QImage image(480, frames * frameHeight, QImage::Format_RGB32);
    image.fill(QColor::fromRgb(rgb));
    for (int k = 0; k < frames; ++k) {
        for (int y = k * frameHeight; y < k * frameHeight + 10; ++y) {
            for (int x = 0; x < 480; ++x)
                image.setPixel(x, y, qRgb(0, 0, 10 * k));
        }
    }
    ASSERT_TRUE(image.save(dir_->filePath(name), "PNG")) << name.toStdString();
}
