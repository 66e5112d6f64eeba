#include "SaveLoadUi.h"

SaveLoadUi::~SaveLoadUi() = default;
