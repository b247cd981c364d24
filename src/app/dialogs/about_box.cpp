// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialogs/about_box.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

#include "app/dialogs/dialog_support.h"
#include "editor/main_window.h"
#include "licence.h"

namespace talvirex {

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("about"));
  setWindowTitle(QStringLiteral("About TALVIREX"));

  auto* icon = new QLabel(this);
  const int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
  icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(size, size));
  icon->setAlignment(Qt::AlignTop);

  auto* heading = new QLabel(ToQt(kApplicationTitle), this);
  QFont bigger = heading->font();
  bigger.setPointSizeF(bigger.pointSizeF() * 1.4);
  bigger.setBold(true);
  heading->setFont(bigger);
  auto* text = new QLabel(
      QStringLiteral("TALVIREX version %1\n\n"
                     "Reads, edits and sends the 200 channels, the priority channels and the "
                     "global options of the Uniden SC200 (SportCat 200) scanner over its serial "
                     "clone cable.\n\nBuilt with Qt %2.\n\n%3")
          .arg(QStringLiteral(TALVIREX_VERSION), QString::fromLatin1(qVersion()),
               QString::fromUtf8(kLicenceNotice.data(), kLicenceNotice.size()).trimmed()),
      this);
  text->setObjectName(QStringLiteral("AboutText"));
  text->setTextFormat(Qt::PlainText);  // the licence's <address> is text, not a tag
  text->setWordWrap(true);
  text->setFixedWidth(text->fontMetrics().averageCharWidth() * 52);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

  auto* texts = new QVBoxLayout;
  texts->addWidget(heading);
  texts->addWidget(text);
  auto* body = new QHBoxLayout;
  body->addWidget(icon);
  body->addSpacing(12);
  body->addLayout(texts);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(body);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace talvirex
