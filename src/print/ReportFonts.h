#pragma once

#include <QFont>
#include <QString>

// The template's fonts on machines that lack them. A family that is
// installed is used as it is; Debian has none of them, and gets:
//   Tahoma                  the free Tahoma of fonts-wine, registered from
//                           its file (fontconfig does not list it). It is
//                           DejaVu Sans Condensed under another name, a few
//                           per cent wider than Tahoma: drawn at 95 % width,
//                           the form's one-line labels fit the boxes drawn
//                           for them. Its bold is DejaVu Sans Condensed Bold:
//                           wine's own bold file has letters of regular weight.
//   Arial                   Liberation Sans (same metrics)
//   Courier New             Liberation Mono (same metrics)
//   Verdana                 DejaVu Sans (drawn from the same design)
//   Franklin Gothic Medium  DejaVu Sans Condensed at 85 % width, near the
//                           narrow grotesque it stands for
//   MS Sans Serif           the MS Sans Serif of fonts-wine, else Liberation Sans
// DejaVu Sans Condensed comes with fonts-dejavu-extra; without it, DejaVu
// Sans at nine tenths of the width stands in for it.
namespace ReportFonts {

// Registers the fonts and the family substitutions once; needs a
// QGuiApplication. The application and the tests call it at start.
void install();

// The font a template text is drawn in: the family or its stand-in.
QFont font(const QString& family, qreal pointSize, bool bold);
// The horizontal scale a family's texts are drawn at: 1 for an installed
// family, less for a stand-in wider than the family.
qreal widthScale(const QString& family);

// Where the free Tahoma and MS Sans Serif are looked for.
QString wineFontDirectory();

} // namespace ReportFonts
