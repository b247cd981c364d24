// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The About box (menu "&About", `hpabout`): the program's name, version and purpose. Modal.

#include <QDialog>

namespace talvirex {

class AboutBox final : public QDialog {
 public:
  explicit AboutBox(QWidget* parent = nullptr);
};

}  // namespace talvirex
