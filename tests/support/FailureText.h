#pragma once

#include "model/Failure.h"

#include <QString>

// The message of the Failure that `action` throws, or a null string when it
// throws none, so a test can compare the exact text the user would see.
template<typename Action>
QString failureText(Action&& action)
{
    try {
        action();
    } catch (const Failure& failure) {
        return failure.message();
    }
    return {};
}
