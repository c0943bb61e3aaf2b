#include "support/GameFixture.h"

#include <QDir>
#include <QImage>
#include <QPainter>

#include "shell/Form1.h"
#include "shell/Form2.h"
#include "shell/FormStage.h"
#include "shell/SystemMenu.h"

namespace {

// Qt's warnings during a test of the windows: each is a fault of ours (a
// painter on an empty image, a widget used wrongly), and would reach the
// player's terminal.
QStringList g_qtWarnings;

void RecordQtWarning(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtDebugMsg || type == QtInfoMsg) return;
    // The game's own categories warn on purpose (a debug build's diagnostics).
    if (context.category && QByteArray(context.category).startsWith("lanternwick")) return;
    // The offscreen platform of the tests cannot raise a window; a desktop can.
    if (text.startsWith(QLatin1String("This plugin does not support"))) return;
    g_qtWarnings << text;
}

}  // namespace

void GameFixture::SetUp() {
    CoreFixture::SetUp();
    g_qtWarnings.clear();
    qInstallMessageHandler(RecordQtWarning);
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
    qInstallMessageHandler(nullptr);
    for (const QString& warning : g_qtWarnings)
        ADD_FAILURE() << "Qt warned: " << warning.toStdString();
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
