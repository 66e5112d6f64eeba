#include "PreparedReport.h"

namespace {

template <typename Item>
const Item* byName(const QList<Item>& items, QStringView name)
{
    for (const Item& item : items) {
        if (item.name.compare(name, Qt::CaseInsensitive) == 0)
            return &item;
    }
    return nullptr;
}

} // namespace

QString PreparedText::text() const
{
    QString result;
    for (const TextRun& run : runs)
        result += run.text;
    return result;
}

const PreparedText* PreparedPage::text(QStringView objectName) const
{
    return byName(texts, objectName);
}

const PreparedLine* PreparedPage::line(QStringView objectName) const
{
    return byName(lines, objectName);
}

const PreparedPage* PreparedReport::page(QStringView name) const
{
    return byName(pages, name);
}

QStringList PreparedReport::pageNames() const
{
    QStringList names;
    for (const PreparedPage& page : pages)
        names.append(page.name);
    return names;
}
