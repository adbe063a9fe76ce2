// One GUI application for the whole run (fonts need one); no display needed.

#include "support/QtAppEnvironment.h"

#include <QGuiApplication>

[[maybe_unused]] static ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new CQtAppEnvironment<QGuiApplication>);
