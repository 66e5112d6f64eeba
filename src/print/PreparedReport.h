#pragma once

#include <QImage>
#include <QLineF>
#include <QList>
#include <QPageLayout>
#include <QRectF>
#include <QString>
#include <QStringList>

// A piece of a prepared text in one weight.
struct TextRun
{
    QString text;
    bool bold = false;
    bool operator==(const TextRun&) const = default;
};

// A text object with its slots filled in. Rectangles are in report units
// (1/96 inch) from the top-left corner of the printable area.
struct PreparedText
{
    QString name;
    QRectF rect;
    QList<TextRun> runs; // the text with the <b>…</b> markup applied
    QString fontFamily;
    qreal pointSize = 0;
    bool bold = false; // the object's own weight; a bold run is bold too
    bool whiteOnBlack = false;
    qreal sideMargin = 2;
    Qt::Alignment alignment;

    // The printed characters, line breaks included, without the markup.
    QString text() const;
};

struct PreparedLine
{
    QString name; // empty for a full-width rule
    QLineF line;
};

struct PreparedBox
{
    QString name;
    QRectF rect;
    bool greyFill = false;
};

struct PreparedPicture
{
    QString name;
    QRectF rect;
    QImage image;
};

// One printed page: its paper set-up and what goes on it, by kind, each kind
// in template order. Painting goes boxes, lines, pictures, texts, so that a
// grey fill lies under the texts placed on it.
struct PreparedPage
{
    QString name;
    QPageLayout layout;
    QList<PreparedBox> boxes;
    QList<PreparedLine> lines;
    QList<PreparedPicture> pictures;
    QList<PreparedText> texts;

    const PreparedText* text(QStringView objectName) const;
    const PreparedLine* line(QStringView objectName) const;
};

struct PreparedReport
{
    QList<PreparedPage> pages;
    // Empty when the preparation succeeded; otherwise its pages are not to
    // be shown.
    QStringList errors;

    bool succeeded() const { return errors.isEmpty(); }
    const PreparedPage* page(QStringView name) const;
    QStringList pageNames() const;
};
