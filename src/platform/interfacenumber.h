#pragma once
#include <QString>

// n in the digit groups of the interface language ("1.173" German, "1,173" English).
QString InterfaceNumber(qint64 n);
