#pragma once

#include <QString>

// The two dialogs the save and load commands need, so that the commands run
// without widgets and a test can answer them.
class SaveLoadUi
{
public:
    virtual ~SaveLoadUi();

    // A one-line text the user types; a cancelled dialog gives the empty text.
    virtual QString askText(const QString& caption, const QString& prompt) = 0;
    // An information box with one button.
    virtual void showInformation(const QString& text) = 0;
};
