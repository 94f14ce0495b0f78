#include "reference/nomenclature_group_edit_window.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/data_module.h"
#include "platform/app_seams.h"
#include "platform/dialogs.h"
#include "platform/sql_quote.h"
#include "reference/nomenclature_groups_window.h"

TForm29* Form29 = nullptr;

namespace {
// Length of cmn_classifier.item.s_caption: a longer name could not be stored.
constexpr int kCaptionLength = 254;
}  // namespace

TForm29::TForm29(QWidget* parent) : TForm(parent) {
  setWindowTitle(QStringLiteral("Ведение групп (29)"));
  // A fixed border with only the close box; placed in the centre of the desktop.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  CreateLayout();
}

TForm29::~TForm29() {
  if (Form29 == this) Form29 = nullptr;
}

void TForm29::CreateLayout() {
  auto* root = new QVBoxLayout(this);
  root->setSizeConstraint(QLayout::SetFixedSize);

  GroupBox1 = new QGroupBox(QStringLiteral("Номенклатурная группа"), this);
  auto* grid = new QGridLayout(GroupBox1);
  Label1 = new QLabel(QStringLiteral("Наименование"), GroupBox1);
  Edit1 = new QLineEdit(GroupBox1);
  Edit1->setMaxLength(kCaptionLength);
  Edit1->setMinimumWidth(340);
  Edit1->setFocusPolicy(Qt::ClickFocus);  // not in the tab order
  CheckBox1 = new QCheckBox(QStringLiteral("Не используется"), GroupBox1);
  grid->addWidget(Label1, 0, 0);
  grid->addWidget(Edit1, 0, 1);
  grid->addWidget(CheckBox1, 1, 1);
  root->addWidget(GroupBox1);

  auto* bottom = new QHBoxLayout();
  bottom->addStretch(1);
  Button1 = platform::AddButton(bottom, this, QStringLiteral("Записать"), &TForm29::Button1Click, true);
  Button6 = platform::AddButton(bottom, this, QStringLiteral("Выход"), &TForm29::Button6Click);
  root->addLayout(bottom);
}

void TForm29::Button1Click() {
  const QString name = Edit1->text().trimmed();
  // A group without a name could not be told apart in any list, and saving an emptied box
  // would wipe the name of the group being changed.
  if (name.isEmpty()) {
    platform::MessageDlg(QStringLiteral("Все поля должны быть заполнены!"), QStringLiteral("Ошибка"),
                         platform::MsgIcon::Error, platform::mbOK);
    return;
  }
  const int flag = CheckBox1->isChecked() ? 1 : 0;
  // One pass of arg(): a "%1" typed in the name stays text.
  QString statement;
  if (Tag == 1) {
    // The database makes the new row a level-2 group of the goods classifier.
    statement = QStringLiteral("INSERT INTO cmn_classifier.item(s_caption, b_excluded) VALUES(%1, %2)")
                    .arg(platform::QuotedStr(name), QString::number(flag));
  } else {
    const qlonglong id = Form26->item->FieldByName(QStringLiteral("id")).AsLargeInt();
    statement = QStringLiteral("UPDATE cmn_classifier.item SET s_caption=%1, b_excluded=%2 where id=%3")
                    .arg(platform::QuotedStr(name), QString::number(flag), QString::number(id));
  }
  DataModule6->SQL_exec->SetCommandText(statement);
  DataModule6->SQL_exec->Execute();
  Form26->item->Close();
  Form26->item->Open();
  Close(platform::mrOk);
}

void TForm29::Button6Click() { Close(platform::mrCancel); }
