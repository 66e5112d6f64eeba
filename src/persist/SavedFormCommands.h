#pragma once

#include <QString>

class FormModel;
class SaveLoadUi;

// The two menu commands that keep a filled return between runs: the record
// encrypted under a password the user types, in one file beside the program.
// Failures (the cipher's, the file's, the reader's, the calculations') are
// thrown as Failure and end the command; what was written before stays.
namespace SavedFormCommands {

// The saved-form file of the program in `programFolder`.
[[nodiscard]] QString savedFormPath(const QString& programFolder);

// "Űrlap mentése": builds the record, asks for a password (an empty answer
// ends the command quietly) and replaces the file whole. The file is written
// to a temporary file first and only then put in place, so a save that fails
// leaves the previous file as it was; it is readable by its owner only, as
// it holds a taxpayer's personal data.
void save(FormModel& model, SaveLoadUi& ui, const QString& filePath);

// "Kitöltött űrlap betöltése": asks for the password, reports a missing file
// or a wrong password through the information box, otherwise applies the
// record and runs the three enabling rules again.
void load(FormModel& model, SaveLoadUi& ui, const QString& filePath);

} // namespace SavedFormCommands
