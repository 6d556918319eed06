#pragma once
// Precompiled header: the Qt headers nearly every translation unit pulls in.
#include <QtCore>
#include <QtGui>
#include <QtWidgets>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>
