#pragma once

#include <QWidget>

#include "resources/ResourceModule.h"

namespace norda::ombra {

// The splash window (dialog 57) shown from reading the country code until the frame exists.
class TSplash final : public QWidget {
    Q_OBJECT
  public:
    TSplash(const ResourceModule& module, int countryCode);
};

}  // namespace norda::ombra
