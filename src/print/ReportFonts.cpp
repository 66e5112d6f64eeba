#include "ReportFonts.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QHash>

namespace {

struct StandIn
{
    QString regular;
    QString bold;
    qreal widthScale = 1;
};

QHash<QString, StandIn>& standIns()
{
    static QHash<QString, StandIn> table;
    return table;
}

bool registerFont(const QString& fileName)
{
    const QString path = QDir(ReportFonts::wineFontDirectory()).filePath(fileName);
    if (!QFile::exists(path))
        return false;
    if (QFontDatabase::addApplicationFont(path) < 0) {
        qWarning("Cannot register the font %s", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

namespace ReportFonts {

QString wineFontDirectory()
{
    return QStringLiteral("/usr/share/wine/fonts");
}

void install()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;

    const QStringList present = QFontDatabase::families();
    auto standIn = [&present](const QString& family, const StandIn& use) {
        if (present.contains(family, Qt::CaseInsensitive))
            return;
        standIns().insert(family, use);
        if (use.regular != family)
            QFont::insertSubstitution(family, use.regular);
    };

    // DejaVu Sans Condensed comes with fonts-dejavu-extra; without it the
    // normal width, nine tenths narrower, does.
    const bool haveCondensed = present.contains(QStringLiteral("DejaVu Sans Condensed"));
    const QString condensed = haveCondensed ? QStringLiteral("DejaVu Sans Condensed") : QStringLiteral("DejaVu Sans");
    const qreal narrowing = haveCondensed ? 1.0 : 0.9;

    const QString tahoma = QStringLiteral("Tahoma");
    const bool wineTahoma
        = !present.contains(tahoma, Qt::CaseInsensitive) && registerFont(QStringLiteral("tahoma.ttf"));
    if (wineTahoma && !haveCondensed)
        standIn(tahoma, {tahoma, tahoma, 0.95}); // Qt emboldens the regular letters
    else
        standIn(tahoma, {wineTahoma ? tahoma : condensed, condensed, 0.95 * narrowing});
    standIn(QStringLiteral("Arial"), {QStringLiteral("Liberation Sans"), QStringLiteral("Liberation Sans")});
    standIn(QStringLiteral("Courier New"), {QStringLiteral("Liberation Mono"), QStringLiteral("Liberation Mono")});
    standIn(QStringLiteral("Verdana"), {QStringLiteral("DejaVu Sans"), QStringLiteral("DejaVu Sans")});
    standIn(QStringLiteral("Franklin Gothic Medium"), {condensed, condensed, 0.85 * narrowing});
    // The window's font. Wine's MS Sans Serif holds bitmaps of a few sizes
    // only, which neither scale nor measure wrapped labels right, and wine's
    // Tahoma puts the accents of capitals above its ascent, where a label
    // sized to the font cuts them off.
    const QString windowFace = QStringLiteral("Liberation Sans");
    standIn(QStringLiteral("MS Sans Serif"), {windowFace, windowFace});
}

QFont font(const QString& family, qreal pointSize, bool bold)
{
    QFont font(family);
    const auto it = standIns().constFind(family);
    if (it != standIns().constEnd()) {
        font.setFamily(bold ? it->bold : it->regular);
    }
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

qreal widthScale(const QString& family)
{
    return standIns().value(family).widthScale;
}

} // namespace ReportFonts
