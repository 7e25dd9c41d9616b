#include "setup/SetupAboutBox.h"

#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>

#include "course/ProgramResources.h"
#include "course/StringIds.h"
#include "setup/SetupArt.h"

namespace {
QString Text(int id) { return QString::fromStdString(ProgramString(id)); }
}  // namespace

CSetupAboutBox::CSetupAboutBox(QWidget* parent) : QDialog(parent) {
  setWindowTitle(Text(str::kSetupAboutCaption));
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  auto* icon = new QLabel(this);
  icon->setObjectName("icon");
  icon->setPixmap(QPixmap::fromImage(SetupIconImage(64)));
  auto* version = new QLabel(Text(str::kSetupAboutVersion), this);
  version->setObjectName("version");
  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = buttons->addButton(Text(str::kSetupAboutOk), QDialogButtonBox::AcceptRole);
  ok->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

  auto* row = new QHBoxLayout;
  row->addWidget(icon);
  row->addSpacing(16);
  row->addWidget(version, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}
