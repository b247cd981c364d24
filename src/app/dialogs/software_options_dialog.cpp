// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialogs/software_options_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollBar>
#include <QVBoxLayout>

#include "app/dialogs/dialog_support.h"

namespace talvirex {

namespace {
using F = SoftwareOptionsForm;
}

SoftwareOptionsDialog::SoftwareOptionsDialog(SoftwareOptionsForm& form, QWidget* parent)
    : QDialog(parent), form_(form) {
  setObjectName(QStringLiteral("softset"));
  setWindowTitle(ToQt(kSoftwareOptionsTitle));

  // The options keep the order of the form's rows: backup, tags, smart info, then general.
  auto* left = new QVBoxLayout;
  left->addWidget(BackupFrame());
  left->addWidget(OptionFrame(kTagsFrame, {F::kEasyTagList, F::kClearTags, F::kRememberTags}));
  QWidget* smart_info = OptionFrame(kSmartInfoFrame, {F::kInfoBox});
  smart_info->layout()->addWidget(new QLabel(ToQt(kSmartInfoText), smart_info));
  left->addWidget(smart_info);
  left->addStretch();

  QWidget* general = OptionFrame(kGeneralFrame, {F::kHideZeros, F::kLoadLast, F::kWindowPosition,
                                                 F::kReverseShift, F::kTabWidths});
  alignment_ = new QComboBox(general);
  alignment_->setObjectName(QStringLiteral("Combo3"));
  for (const auto item : kAlignmentItems) alignment_->addItem(ToQt(item));
  alignment_->setCurrentIndex(form_.alignment);
  auto* alignment_row = new QHBoxLayout;
  auto* alignment_label = new QLabel(ToQt(kAlignmentLabel), general);
  alignment_label->setBuddy(alignment_);
  alignment_row->addWidget(alignment_label);
  alignment_row->addWidget(alignment_);
  alignment_row->addStretch();
  static_cast<QVBoxLayout*>(general->layout())->addSpacing(8);
  static_cast<QVBoxLayout*>(general->layout())->addLayout(alignment_row);
  auto* right = new QVBoxLayout;
  right->addWidget(general);
  right->addStretch();

  auto* buttons = OkCancelButtons(
      this, QStringLiteral("Ok"), [this] { Ok(); }, Qt::Horizontal);

  auto* columns = new QHBoxLayout;
  columns->addLayout(left);
  columns->addLayout(right);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(columns);
  layout->addSpacing(8);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

QWidget* SoftwareOptionsDialog::BackupFrame() {
  QGroupBox* frame = Frame(kBackupFrame, this);
  backup_ = new QCheckBox(ToQt(kBackupCheckCaption), frame);
  backup_->setObjectName(QStringLiteral("Check1"));
  backup_->setChecked(form_.backup_enabled);
  delay_ = new QScrollBar(Qt::Horizontal, frame);
  delay_->setObjectName(QStringLiteral("HScroll1"));
  delay_->setRange(kBackupDelayMin, kBackupDelayMax);
  delay_->setPageStep(10);
  delay_->setMinimumWidth(140);
  // A scroll bar takes no focus by default; here it is the only way to set the interval.
  delay_->setFocusPolicy(Qt::StrongFocus);
  delay_->setInvertedControls(false);  // Right and Up lengthen the interval, as the bar is drawn
  delay_->setAccessibleName(QStringLiteral("Minutes between backups"));
  delay_label_ = new QLabel(frame);
  delay_label_->setObjectName(QStringLiteral("Label3"));
  delay_label_->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("000")));
  delay_label_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  unit_label_ = new QLabel(frame);
  unit_label_->setObjectName(QStringLiteral("Label4"));
  connect(delay_, &QScrollBar::valueChanged, this, &SoftwareOptionsDialog::DelayMoved);
  delay_->setValue(form_.backup_delay);
  DelayMoved(delay_->value());

  auto* delay_row = new QHBoxLayout;
  delay_row->addWidget(delay_, 1);
  delay_row->addWidget(delay_label_);
  delay_row->addWidget(unit_label_);
  auto* layout = new QVBoxLayout(frame);
  layout->addWidget(backup_);
  layout->addLayout(delay_row);
  return frame;
}

QWidget* SoftwareOptionsDialog::OptionFrame(std::string_view caption,
                                            std::initializer_list<int> options) {
  QGroupBox* frame = Frame(caption, this);
  auto* layout = new QVBoxLayout(frame);
  for (const int option : options) layout->addWidget(OptionBox(option, frame));
  return frame;
}

QCheckBox* SoftwareOptionsDialog::OptionBox(int option, QWidget* parent) {
  auto* box = new QCheckBox(ToQt(F::OptionCaption(option)), parent);
  box->setObjectName(QStringLiteral("check3d1_%1").arg(F::OptionControlIndex(option)));
  box->setChecked(form_.options[option]);
  options_[option] = box;
  return box;
}

void SoftwareOptionsDialog::DelayMoved(int minutes) {
  form_.SetBackupDelay(minutes);
  delay_label_->setText(ToQt(form_.DelayLabel()));
  unit_label_->setText(ToQt(form_.UnitLabel()));
}

void SoftwareOptionsDialog::Ok() {
  form_.backup_enabled = backup_->isChecked();
  for (int option = 0; option < F::kOptionCount; ++option) {
    form_.options[option] = options_[option]->isChecked();
  }
  form_.alignment = alignment_->currentIndex();
  accept();
}

}  // namespace talvirex
