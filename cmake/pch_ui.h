// Precompiled for window code: the logic set plus the widgets most views use.
#pragma once
#include "pch_logic.h"
#include <QtWidgets/QApplication>
#include <QtWidgets/QDialog>
#include <QtWidgets/QMainWindow>
#include <QtWidgets/QWidget>
