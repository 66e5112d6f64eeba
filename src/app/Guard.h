#pragma once

#include "AppDialogs.h"
#include "model/Failure.h"

class QWidget;

// Runs one handler or command; a failure ends it and is shown in the error
// box, and what it wrote before stays written. Widgets call every model
// operation through this, so no failure leaves through the event loop.
template <typename F>
bool guarded(QWidget* parent, F&& work)
{
    try {
        work();
        return true;
    } catch (const Failure& failure) {
        AppDialogs::showError(parent, failure.message());
        return false;
    }
}
