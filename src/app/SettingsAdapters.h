#pragma once
// The window's elements as the settings routines see them.

#include <QObject>
#include <memory>
#include <string>

#include "files/SettingsElement.h"

namespace korvalinx {

std::unique_ptr<SettingsElement> MakeSettingsElement(const std::string& name, QObject* object);

}  // namespace korvalinx
