#include "PdfReader.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {

QString run(const QString& tool, const QStringList& arguments)
{
    QProcess process;
    process.start(QStandardPaths::findExecutable(tool), arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        qWarning("%s failed: %s", qPrintable(tool), process.readAllStandardError().constData());
        return QString();
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

namespace PdfReader {

bool toolsPresent()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty()
        && !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}

QList<QSizeF> pageSizes(const QString& file)
{
    const QString info
        = run(QStringLiteral("pdfinfo"),
              {QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("9999"), file});
    static const QRegularExpression pageSize(QStringLiteral(R"(^Page\s+(\d+) size:\s+([\d.]+) x ([\d.]+) pts)"),
                                             QRegularExpression::MultilineOption);
    QList<QSizeF> sizes;
    for (auto it = pageSize.globalMatch(info); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        if (match.captured(1).toInt() != sizes.size() + 1)
            return {};
        sizes.append(QSizeF(match.captured(2).toDouble(), match.captured(3).toDouble()));
    }
    return sizes;
}

QString pageText(const QString& file, int page)
{
    const QString number = QString::number(page);
    return run(QStringLiteral("pdftotext"),
               {QStringLiteral("-enc"), QStringLiteral("UTF-8"), QStringLiteral("-f"), number, QStringLiteral("-l"),
                number, file, QStringLiteral("-")});
}

} // namespace PdfReader
