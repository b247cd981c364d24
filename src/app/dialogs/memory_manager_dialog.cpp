// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialogs/memory_manager_dialog.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "app/dialogs/dialog_support.h"
#include "editor/memory_manager_form.h"

namespace talvirex {

MemoryManagerDialog::MemoryManagerDialog(MemoryManagerForm& form, QWidget* parent)
    : QDialog(parent), form_(form) {
  setObjectName(QStringLiteral("editmenu"));
  setWindowTitle(ToQt(form_.Title()));

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(BuildLists());
  // Channel mode hides the "Data:" frame; the layout closes up over it.
  layout->addWidget(BuildData());
  layout->addWidget(BuildOptions());
  layout->addWidget(BuildCommands());
  KeepTitleVisible(this, layout);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  Push();
}

QLayout* MemoryManagerDialog::BuildLists() {
  const auto list = [this](const char* name) {
    auto* combo = new QComboBox(this);
    combo->setObjectName(QString::fromLatin1(name));
    combo->setMaxVisibleItems(20);
    combo->setMinimumContentsLength(34);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    return combo;
  };
  source_ = list("Combo1");
  destination_ = list("Combo2");
  connect(source_, &QComboBox::activated, this, [this](int index) {
    form_.SelectSource(index);
    Push();
  });
  connect(destination_, &QComboBox::activated, this, [this](int index) {
    form_.SelectDestination(index);
    Push();
  });
  auto* grid = new QGridLayout;
  const auto row = [&](int at, std::string_view text, QComboBox* combo) {
    auto* caption = new QLabel(ToQt(text), this);
    caption->setBuddy(combo);
    grid->addWidget(caption, at, 0);
    grid->addWidget(combo, at, 1);
  };
  row(0, form_.SourceLabel(), source_);
  row(1, form_.DestinationLabel(), destination_);
  grid->setColumnStretch(1, 1);
  return grid;
}

QWidget* MemoryManagerDialog::BuildOptions() {
  QGroupBox* frame = Frame("Option:", this);
  auto* layout = new QGridLayout(frame);
  auto* operations = new QButtonGroup(frame);
  const char* texts[3] = {"Copy", "Move", "Swap"};
  for (int i = 0; i < 3; ++i) {
    auto* button = new QRadioButton(QString::fromLatin1(texts[i]), frame);
    button->setObjectName(QStringLiteral("Option1_%1").arg(i));
    button->setChecked(static_cast<int>(form_.operation()) == i);
    operations->addButton(button, i);
    layout->addWidget(button, 0, i);
  }
  // Every click counts, also on the operation already chosen: it makes a change pending.
  connect(operations, &QButtonGroup::idClicked, this, [this](int id) {
    form_.SetOperation(static_cast<ManagerOperation>(id));
    Push();
  });

  if (form_.ShowsScope()) {
    auto* scopes = new QButtonGroup(frame);
    const char* scope_texts[2] = {"Current Bank", "All Banks"};
    for (int i = 0; i < 2; ++i) {
      auto* button = new QRadioButton(QString::fromLatin1(scope_texts[i]), frame);
      button->setObjectName(QStringLiteral("Option2_%1").arg(i));
      button->setChecked(static_cast<int>(form_.scope()) == i);
      scopes->addButton(button, i);
      layout->addWidget(button, 1, i);
    }
    connect(scopes, &QButtonGroup::idClicked, this, [this](int id) { ChangeScope(id == 1); });
  }
  if (form_.ShowsBankOptions()) {
    auto* tag = new QCheckBox(QStringLiteral("Include Bank Tag"), frame);
    tag->setObjectName(QStringLiteral("Check1"));
    tag->setChecked(form_.include_bank_tag);
    connect(tag, &QCheckBox::toggled, this, [this](bool on) { form_.include_bank_tag = on; });
    layout->addWidget(tag, 1, 0, 1, 3);
  }
  return frame;
}

QWidget* MemoryManagerDialog::BuildData() {
  QGroupBox* frame = Frame("Data:", this);
  auto* layout = new QHBoxLayout(frame);
  const auto box = [&](const char* name, const char* text, bool& value) {
    auto* check = new QCheckBox(QString::fromLatin1(text), frame);
    check->setObjectName(QString::fromLatin1(name));
    check->setChecked(value);
    connect(check, &QCheckBox::toggled, this, [&value](bool on) { value = on; });
    layout->addWidget(check);
  };
  box("Check2_0", "Frequencies", form_.frequencies);
  box("Check2_1", "Trunk id's", form_.trunk_ids);
  box("Check2_2", "Trunk sett.", form_.trunk_settings);
  frame->setVisible(form_.ShowsBankOptions());
  return frame;
}

QWidget* MemoryManagerDialog::BuildCommands() {
  QGroupBox* frame = Frame("Commands:", this);
  auto* layout = new QHBoxLayout(frame);
  const auto button = [&](const char* name, const char* text) {
    auto* push = new QPushButton(QString::fromLatin1(text), frame);
    push->setObjectName(QString::fromLatin1(name));
    push->setAutoDefault(false);
    layout->addWidget(push);
    return push;
  };
  apply_ = button("Apply", "&Apply");
  QPushButton* cancel = button("Cancel", "Cancel");
  QPushButton* ok = button("Ok", "Ok");
  connect(apply_, &QPushButton::clicked, this, &MemoryManagerDialog::Apply);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  return frame;
}

void MemoryManagerDialog::ChangeScope(bool all_banks) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  form_.SetScope(all_banks ? ManagerScope::kAllBanks : ManagerScope::kCurrentBank);
  Push();
  QApplication::restoreOverrideCursor();
}

void MemoryManagerDialog::Apply() {
  form_.Apply();
  Push();
}

void MemoryManagerDialog::Push() {
  const auto& entries = form_.entries();
  QStringList texts;
  texts.reserve(static_cast<qsizetype>(entries.size()));
  for (const std::string& entry : entries) texts.append(ToQt(entry));
  for (QComboBox* combo : {source_, destination_}) {
    const QSignalBlocker blocker(combo);
    bool same = combo->count() == texts.size();
    for (int i = 0; same && i < combo->count(); ++i) same = combo->itemText(i) == texts[i];
    if (!same) {
      combo->clear();
      combo->addItems(texts);
    }
  }
  {
    const QSignalBlocker source_blocker(source_);
    const QSignalBlocker destination_blocker(destination_);
    source_->setCurrentIndex(form_.source());
    destination_->setCurrentIndex(form_.destination());
  }
  apply_->setEnabled(form_.apply_enabled());
}

}  // namespace talvirex
