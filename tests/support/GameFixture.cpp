#include "support/GameFixture.h"

#include <QDir>
#include <QImage>
#include <QPainter>

#include "shell/Form1.h"
#include "shell/Form2.h"
#include "shell/FormStage.h"
#include "shell/SystemMenu.h"

void GameFixture::SetUp() {
    CoreFixture::SetUp();
    AttachShell();
    DestroySoundWindow();
    DestroyMainForm();
    MainForm();
    ArrangeButtons();
    ShowSystemMenu();
}

void GameFixture::TearDown() {
    DestroyMainForm();
    DestroySoundWindow();
    CoreFixture::TearDown();
}

void GameFixture::newGame() { Command1_Click(kNewGameButton); }

void GameFixture::next() { Command1_Click(kNextButton); }

QString GameFixture::messageText() const { return MainForm().Label1.text(); }

bool WritePicture(const QString& path, int width, int height, uint32_t rgb) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor::fromRgb(rgb));
    return image.save(path);
}

void GameFixture::writePicture(const QString& name, int width, int height, uint32_t rgb) {
    ASSERT_TRUE(WritePicture(QDir(dataDir()).filePath(name), width, height, rgb))
        << name.toStdString();
}

void GameFixture::writeStrip(const QString& name, int frames, int frameHeight, uint32_t rgb) {
    QImage image(480, frames * frameHeight, QImage::Format_RGB32);
    image.fill(QColor::fromRgb(rgb));
    QPainter painter(&image);
    for (int k = 0; k < frames; ++k)
        painter.fillRect(0, k * frameHeight, 480, 10, QColor(0, 0, 10 * k));
    painter.end();
    ASSERT_TRUE(image.save(QDir(dataDir()).filePath(name), "PNG")) << name.toStdString();
}
