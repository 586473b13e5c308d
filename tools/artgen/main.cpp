// Draws every picture of the game. Run by the build:
//   artgen backgrounds <folder>   b1.bmp ... b4.bmp (24-bit BMP)
//   artgen resources <folder>     the PNG pictures carried inside the program
//   artgen icons <folder>         the desktop icon, icon_16.png ... icon_256.png
#include "ArtCatalog.h"
#include "Backgrounds.h"
#include "Glyphs.h"
#include "Pictures.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>
#include <utility>
#include <vector>

namespace {

using NamedPicture = std::pair<QString, QImage>;

bool writeAll(const QString& folder, const std::vector<NamedPicture>& pictures, const char* format)
{
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "artgen: cannot create folder %s\n", qPrintable(folder));
        return false;
    }
    for (const auto& [name, picture] : pictures) {
        const QString path = QDir(folder).filePath(name);
        // RGB32 without alpha makes Qt write 24-bit BMPs; PNGs keep their transparency.
        const QImage output =
            QByteArray(format) == "BMP" ? picture.convertToFormat(QImage::Format_RGB32) : picture;
        if (picture.isNull() || !output.save(path, format)) {
            std::fprintf(stderr, "artgen: cannot write %s\n", qPrintable(path));
            return false;
        }
    }
    return true;
}

std::vector<NamedPicture> backgrounds()
{
    return {{QStringLiteral("b1.bmp"), art::plivaBackground()},
            {QStringLiteral("b2.bmp"), art::zupelBackground()},
            {QStringLiteral("b3.bmp"), art::vexorBackground()},
            {QStringLiteral("b4.bmp"), art::huxelBackground()}};
}

std::vector<NamedPicture> resources()
{
    std::vector<NamedPicture> pictures{
        {QStringLiteral("toolbar.png"), art::toolbarPicture()},
        {QStringLiteral("dialog.png"), art::dialogPicture()},
        {QStringLiteral("icon.png"), art::iconPicture(64)},
        {QStringLiteral("icon32.png"), art::iconPicture(32)},
        {QStringLiteral("splash.png"), art::splashPicture()},
        {QStringLiteral("about.png"), art::aboutPicture()},
        {QStringLiteral("rules.png"), art::rulesPicture()},
        {QStringLiteral("caption_time.png"), art::clockCaptionPicture("Time:")},
        {QStringLiteral("caption_zeit.png"), art::clockCaptionPicture("Zeit:")}};
    for (const art::GlyphStrip& strip : art::glyphStrips())
        pictures.emplace_back(QString::fromLatin1(strip.name) + QStringLiteral(".png"),
                              art::glyphStrip(strip));
    for (const char* name : art::buttonPictures())
        pictures.emplace_back(QString::fromLatin1(name) + QStringLiteral(".png"),
                              art::buttonPicture(QString::fromLatin1(name)));
    return pictures;
}

// The sizes a desktop's hicolor theme looks for.
std::vector<NamedPicture> icons()
{
    std::vector<NamedPicture> pictures;
    for (const int size : {16, 24, 32, 48, 64, 128, 256})
        pictures.emplace_back(QStringLiteral("icon_%1.png").arg(size), art::iconPicture(size));
    return pictures;
}

} // namespace

int main(int argc, char** argv)
{
    // A build machine has no display; the pictures need none.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.size() != 3) {
        std::fprintf(stderr, "usage: artgen backgrounds|resources|icons <folder>\n");
        return 2;
    }
    const QString& kind = arguments.at(1);
    const QString& folder = arguments.at(2);
    if (kind == QLatin1String("backgrounds"))
        return writeAll(folder, backgrounds(), "BMP") ? 0 : 1;
    if (kind == QLatin1String("resources"))
        return writeAll(folder, resources(), "PNG") ? 0 : 1;
    if (kind == QLatin1String("icons"))
        return writeAll(folder, icons(), "PNG") ? 0 : 1;
    std::fprintf(stderr, "artgen: unknown picture set '%s'\n", qPrintable(kind));
    return 2;
}
