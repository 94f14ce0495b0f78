#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWheelEvent>
#include <algorithm>
#include <functional>

#include "app/data_module.h"
#include "hours/hours_entry_window.h"
#include "journal/journal_window.h"
#include "journal/painting_window.h"
#include "journal/position_window.h"
#include "reference/worker_edit_window.h"
#include "reference/worker_hours_dialog.h"
#include "reference/workers_list_window.h"
#include "tests/support/app_fixture.h"

namespace {

// The hostile name is stored with blanks around it, as an import might leave it.
const QString kHostile = QStringLiteral("Д'Артаньян \\ '; drop table x; --");

const char* kFixture = R"sql(
insert into accounts_dep.person(id, fio, s_staffpos_hl) values
  (101, 'Иванов И.И.', 'Цех 1'),
  (102, 'иванова А.П.', 'Цех 1'),
  (103, 'Петров П.С.', 'Цех 2'),
  (104, '  Д''Артаньян \ ''; drop table x; --  ', 'Цех 2');
insert into cmn_department.department(id, s_caption) values (201, 'Цех 1'), (202, 'Цех 2'), (203, 'Отдел ''ОТК''');
insert into hrms_staffpos.staffpos(id, s_caption) values (301, 'Слесарь'), (302, 'Маляр'), (303, 'Токарь');
insert into adm_role.roles(id, s_caption) values (401, 'Мастер'), (402, 'Кладовщик');
)sql";

class WorkersTest : public testsupport::AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    Sql(kFixture);
    QObject::connect(Form5, &QDialog::finished, [this] { ++listClosed_; });
    QObject::connect(Form2, &QDialog::finished, [this] { ++editClosed_; });
  }

  TADOQuery* Workers() { return DataModule6->Workers; }

  // Opens the list as a picker the way its openers do, with the user's part played by `user`.
  int Pick(int tag, std::function<void()> user) {
    Form5->Tag = tag;
    Form5->Button2->setText("Выбрать");
    Form5->Button2->setDefault(true);
    Form5->Button2->setVisible(true);
    if (tag != 11) Form5->Button1->setVisible(false);
    Form5->Button3->setVisible(false);
    Form5->Edit1->setVisible(true);
    Form5->Edit1->clear();
    Workers()->Open();
    OnModal([user](QDialog*) {
      user();
      return Form5->ModalResult();
    });
    const int result = Form5->ShowModal();
    Workers()->Close();
    return result;
  }

  // Opens the list from the main menu; `user` plays the user's part in it.
  void Browse(std::function<void()> user) {
    OnModal([user](QDialog*) {
      user();
      return Form5->ModalResult();
    });
    Form1->MenuWorkersClick();
  }

  void Select(qlonglong id) { ASSERT_TRUE(Workers()->Locate("id", id)); }

  QString Text(const QString& sql) {
    platform::TADOQuery q(nullptr, sql);
    q.Open();
    return q.IsEmpty() ? QString("<none>") : q.FieldByName(q.FieldNames().value(0)).AsString();
  }

  static void Key(QWidget* w, int key, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(w, &press);
  }

  static void Wheel(QWidget* w, int angle) {
    QWheelEvent e(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, angle), Qt::NoButton, Qt::NoModifier,
                  Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(w, &e);
  }

  int listClosed_ = 0;
  int editClosed_ = 0;
};

QList<qlonglong> Ids(TADOQuery* q) {
  QList<qlonglong> ids;
  for (int r = 1; r <= q->RecordCount(); ++r) ids << q->FieldAt(r, "id").AsLargeInt();
  std::sort(ids.begin(), ids.end());
  return ids;
}

}  // namespace

// ---- the list and its search ----

TEST_F(WorkersTest, SearchKeepsWorkersWhoseNameStartsWithTheTextAsTyped) {
  Workers()->Open();
  struct Case {
    QString typed;
    QList<qlonglong> ids;
  } cases[] = {
      {"Ив", {101, 102}},        {"ив", {101, 102}},    {"ИВАНОВА", {102}},
      {"Иванов ", {101}},        {"  Д'", {104}},       {"Д'", {}},
      {"Ж", {}},                 {"", {101, 102, 103, 104}},
  };
  for (const Case& c : cases) {
    Form5->Edit1->setText(c.typed);
    EXPECT_EQ(Ids(Workers()), c.ids) << c.typed.toStdString();
  }

  Form5->Edit1->setText("  Д'А");
  EXPECT_EQ(Form5->DBGrid1->CellText(0, "fio"), kHostile);
  // The search stays in force when the list is read again, until the text changes.
  Workers()->Close();
  Workers()->Open();
  EXPECT_EQ(Ids(Workers()), QList<qlonglong>{104});
  // A picker opener clears the box, which shows everybody again.
  Workers()->Close();
  Pick(1, [this] { EXPECT_EQ(Workers()->RecordCount(), 4); });
}

TEST_F(WorkersTest, ArrowKeysInTheSearchBoxMoveTheSelectionAndTypingStillSearches) {
  Workers()->Open();
  QLineEdit* box = Form5->Edit1;
  Key(box, Qt::Key_Down);
  Key(box, Qt::Key_Down);
  EXPECT_EQ(Workers()->RecNo(), 3);
  EXPECT_EQ(Form5->DBGrid1->currentIndex().row(), 2);
  Key(box, Qt::Key_Up);
  EXPECT_EQ(Workers()->RecNo(), 2);
  Key(box, Qt::Key_Up);
  Key(box, Qt::Key_Up);
  EXPECT_EQ(Workers()->RecNo(), 1);

  Key(box, Qt::Key_P, "П");
  Key(box, Qt::Key_E, "е");
  EXPECT_EQ(box->text(), "Пе");
  EXPECT_EQ(Ids(Workers()), QList<qlonglong>{103});
  // Caret keys do nothing in the box; Backspace still erases.
  Key(box, Qt::Key_Left);
  Key(box, Qt::Key_Home);
  EXPECT_EQ(box->cursorPosition(), 2);
  Key(box, Qt::Key_Backspace);
  EXPECT_EQ(box->text(), "П");
}

// ---- the list as a picker ----

TEST_F(WorkersTest, PickerHandsTheTrimmedNameAndKeyToItsOpener) {
  struct Case {
    int tag;
    std::function<QString()> name;
    std::function<qlonglong()> id;
  } cases[] = {
      {1, [] { return Form11->Edit1->text(); }, [] { return Form11->pos_w_id; }},
      {24, [] { return Form24->Edit1->text(); }, [] { return Form24->sel_id_p; }},
      {33, [] { return Form33->Edit1->text(); }, [] { return Form33->PayeeId; }},
  };
  for (const Case& c : cases) {
    Form5->Chosen = 1;  // left over from an earlier use
    const int result = Pick(c.tag, [&] {
      EXPECT_EQ(Form5->Chosen, 0);
      Form5->Edit1->setText("  Д'");
      Form5->Button2Click();
    });
    EXPECT_EQ(result, platform::mrOk) << c.tag;
    EXPECT_EQ(Form5->Chosen, 1) << c.tag;
    EXPECT_EQ(c.name(), kHostile) << c.tag;
    EXPECT_EQ(c.id(), 104) << c.tag;
  }
  EXPECT_EQ(listClosed_, 3);
  EXPECT_EQ(Form11->aux_w_id, 0);
  EXPECT_EQ(ModalCount(), 3);  // no other window was opened
}

TEST_F(WorkersTest, WithNoWorkerListedChoosingDoesNothingAndExitReportsNoneTaken) {
  for (int tag : {0, 1, 11, 24, 33}) {
    const int modals = ModalCount();
    listClosed_ = 0;
    Pick(tag, [&] {
      Form5->Edit1->setText("Жжж");
      Form5->Button2Click();
      EXPECT_EQ(listClosed_, 0) << tag;
      EXPECT_EQ(Form5->Chosen, 0) << tag;
      EXPECT_EQ(ModalCount(), modals + 1) << tag;
      Form5->Button4Click();
    });
    EXPECT_EQ(Form5->ModalResult(), platform::mrCancel) << tag;
    EXPECT_EQ(Form5->Chosen, 0) << tag;
  }
  EXPECT_EQ(Form11->pos_w_id, 0);
  EXPECT_EQ(Form11->aux_w_id, 0);
  EXPECT_EQ(Form24->sel_id_p, 0);
  EXPECT_EQ(Form33->PayeeId, 0);
}

TEST_F(WorkersTest, AuxiliaryWorkerIsTakenOnlyWithHoursAboveZero) {
  Form11->pos_w_id = 555;
  Pick(11, [&] {
    Select(104);
    // Cancelled: the list stays open for another choice.
    OnModal([](QDialog* w) {
      EXPECT_EQ(w, Form132);
      EXPECT_EQ(Form132->Label1->text(), "  " + kHostile + "  ");
      EXPECT_EQ(Form132->Edit1->text(), "");
      Form132->Button2Click();
      return Form132->ModalResult();
    });
    Form5->Button2Click();
    EXPECT_EQ(Form5->Chosen, 0);
    EXPECT_EQ(listClosed_, 0);

    // Confirmed with an empty box: refused.
    OnModal([](QDialog*) {
      Form132->Button1Click();
      return Form132->ModalResult();
    });
    Form5->Button2Click();
    EXPECT_EQ(Form5->Chosen, 0);
    EXPECT_EQ(listClosed_, 0);
    ASSERT_EQ(messages_.Calls().size(), 1u);
    EXPECT_EQ(messages_.Calls()[0].text, "Значение должно быть больше 0!");

    OnModal([](QDialog*) {
      Form132->Edit1->setText("7");
      Form132->Button1Click();
      return Form132->ModalResult();
    });
    Form5->Button2Click();
  });
  EXPECT_EQ(listClosed_, 1);
  EXPECT_EQ(Form5->Chosen, 1);
  EXPECT_EQ(Form11->aux_w_id, 104);
  EXPECT_DOUBLE_EQ(Form11->aux_hours, 7.0);
  EXPECT_EQ(Form11->pos_w_id, 555);
  EXPECT_EQ(Form11->Edit1->text(), "");
}

TEST_F(WorkersTest, HoursDialogAcceptsOnlyDigitsAndRefusesNoHours) {
  struct Case {
    QString text;
    int result;
  } cases[] = {{"", platform::mrCancel}, {"0", platform::mrCancel}, {"000", platform::mrCancel},
               {"12", platform::mrOk},   {"007", platform::mrOk}};
  for (const Case& c : cases) {
    messages_.Clear();
    Form132->Edit1->setText(c.text);
    Form132->Button1Click();
    EXPECT_EQ(Form132->ModalResult(), c.result) << c.text.toStdString();
    if (c.result == platform::mrOk) {
      EXPECT_TRUE(messages_.Calls().empty()) << c.text.toStdString();
      continue;
    }
    ASSERT_EQ(messages_.Calls().size(), 1u) << c.text.toStdString();
    EXPECT_EQ(messages_.Calls()[0].text, "Значение должно быть больше 0!");
    EXPECT_EQ(messages_.Calls()[0].caption, "Ошибка");
    EXPECT_EQ(messages_.Calls()[0].icon, platform::MsgIcon::Error);
  }

  Form132->Edit1->clear();
  for (auto [key, text] : {std::pair{Qt::Key_1, "1"}, std::pair{Qt::Key_A, "a"}, std::pair{Qt::Key_Minus, "-"},
                           std::pair{Qt::Key_Comma, ","}, std::pair{Qt::Key_5, "5"}})
    Key(Form132->Edit1, key, text);
  EXPECT_EQ(Form132->Edit1->text(), "15");
}

// ---- browse mode ----

TEST_F(WorkersTest, ChangeClosesTheListWhetherSavedOrCancelled) {
  for (bool save : {false, true}) {
    // A department added while the program runs is offered the next time.
    if (save) Sql("insert into cmn_department.department(id, s_caption) values (204, 'Склад')");
    listClosed_ = 0;
    Browse([&] {
      Select(103);
      OnModal([&](QDialog* w) {
        EXPECT_EQ(w, Form2);
        EXPECT_EQ(Form2->windowTitle(), "Изменение данных работника");
        EXPECT_EQ(Form2->Tag, 2);
        EXPECT_EQ(Form2->PersonId, 103);
        EXPECT_EQ(Form2->Edit1->text(), "Петров П.С.");
        EXPECT_EQ(Form2->LCB_department->count(), save ? 4 : 3);
        if (!save) {
          Form2->Button2Click();
          return Form2->ModalResult();
        }
        Form2->Edit1->setText(" Петров-Водкин П.С. ");
        Form2->LCB_department->SetKeyValue(204);
        Form2->Button1Click();
        return Form2->ModalResult();
      });
      Form5->Button2Click();
    });
    EXPECT_EQ(listClosed_, 1) << save;
    EXPECT_EQ(Form5->Chosen, 1) << save;
    EXPECT_FALSE(Workers()->Active());
  }
  EXPECT_EQ(Text("select fio || '|' || s_staffpos_hl from accounts_dep.person where id=103"),
            "Петров-Водкин П.С.|Склад");
  EXPECT_EQ(Scalar("select count(*) from accounts_dep.person"), 4);
}

TEST_F(WorkersTest, AddingLeavesTheListOpenOnItsFirstRow) {
  Form2->Edit1->setText("от прошлого раза");
  Browse([&] {
    Workers()->Last();
    OnModal([&](QDialog*) {
      EXPECT_EQ(Form2->windowTitle(), "Заведение данных нового работника");
      EXPECT_EQ(Form2->Tag, 1);
      EXPECT_EQ(Form2->Edit1->text(), "");
      Form2->Edit1->setText("Сидоров А.В.");
      Form2->Button1Click();
      return Form2->ModalResult();
    });
    Form5->Button1Click();
    EXPECT_EQ(listClosed_, 0);
    EXPECT_EQ(Workers()->RecordCount(), 5);
    EXPECT_EQ(Workers()->RecNo(), 1);
    Form5->Button4Click();
  });
  EXPECT_EQ(Form5->Chosen, 0);
  EXPECT_EQ(Text("select fio || '|' || s_staffpos_hl from accounts_dep.person where id>=10000"), "Сидоров А.В.|");
}

TEST_F(WorkersTest, DeleteAsksAndKeepsTheRowNumberOrTheNewLastRow) {
  Browse([&] {
    ASSERT_EQ(Workers()->RecordCount(), 4);
    Workers()->SetRecNo(2);
    const qlonglong second = Workers()->FieldByName("id").AsLargeInt();
    messages_.Answer(platform::mrNo);
    Form5->Button3Click();
    ASSERT_EQ(messages_.Calls().size(), 1u);
    EXPECT_EQ(messages_.Calls()[0].text, "Удалить работника?");
    EXPECT_EQ(messages_.Calls()[0].caption, "Удаление");
    EXPECT_EQ(messages_.Calls()[0].icon, platform::MsgIcon::Question);
    EXPECT_EQ(messages_.Calls()[0].buttons, platform::mbYes | platform::mbNo);
    EXPECT_EQ(Scalar("select count(*) from accounts_dep.person"), 4);

    Form5->Button3Click();  // answered Yes
    EXPECT_EQ(Scalar(QString("select count(*) from accounts_dep.person where id=%1").arg(second)), 0);
    EXPECT_EQ(Workers()->RecordCount(), 3);
    EXPECT_EQ(Workers()->RecNo(), 2);

    Workers()->Last();
    Form5->Button3Click();
    EXPECT_EQ(Workers()->RecordCount(), 2);
    EXPECT_EQ(Workers()->RecNo(), 2);
    EXPECT_EQ(listClosed_, 0);

    // The hostile name goes like any other.
    Select(104);
    Form5->Button3Click();
    EXPECT_EQ(Scalar("select count(*) from accounts_dep.person where id=104"), 0);
    EXPECT_EQ(Scalar("select count(*) from cmn_contractor.person where id=104"), 0);
  });
}

TEST_F(WorkersTest, WorkerWithJournalPositionsOrHoursIsNotDeleted) {
  Sql("insert into accounts_dep.smena(data, smena, w_id, i_id, o_id) values ('2024-03-04', 1, 101, 7777, 7777);"
      "insert into accounts_dep.fatigue(id_p, id_o, d_date, cnt) values (103, 7777, '2024-03-04', 8);");
  Browse([&] {
    // The database refuses; the standard error box says why.
    for (qlonglong id : {101, 103}) {
      messages_.Clear();
      Select(id);
      platform::RunGuarded([] { Form5->Button3Click(); });  // answered Yes
      ASSERT_EQ(messages_.Calls().size(), 2u) << id;
      EXPECT_EQ(messages_.Calls()[1].icon, platform::MsgIcon::Error);
      EXPECT_TRUE(messages_.Calls()[1].text.contains("удалить нельзя")) << messages_.Calls()[1].text.toStdString();
    }
  });
  EXPECT_EQ(Scalar("select count(*) from accounts_dep.person"), 4);
}

// ---- the edit window ----

TEST_F(WorkersTest, SavesTheTrimmedNameVerbatimAndTheDepartmentCaption) {
  struct Case {
    QString typed;
    QString stored;
    QVariant department;
    QString position;
  } cases[] = {
      {"  " + kHostile + "\t", kHostile, 203, "Отдел 'ОТК'"},
      {"Сидоров :data 100%1 %3", "Сидоров :data 100%1 %3", QVariant(), ""},
      {"Орлов\\' С.С.", "Орлов\\' С.С.", 201, "Цех 1"},
  };
  Form2->department->Open();
  for (const Case& c : cases) {
    for (int tag : {1, 2}) {
      editClosed_ = 0;
      Form2->Tag = tag;
      Form2->PersonId = 102;
      Form2->Edit1->setText(c.typed);
      Form2->LCB_department->SetKeyValue(c.department);
      Form2->Button1Click();
      EXPECT_EQ(editClosed_, 1) << tag << c.typed.toStdString();
      EXPECT_EQ(Form2->ModalResult(), platform::mrOk);
      const QString where = tag == 1 ? "id=(select max(id) from accounts_dep.person)" : "id=102";
      EXPECT_EQ(Text("select fio from accounts_dep.person where " + where), c.stored) << tag;
      EXPECT_EQ(Text("select s_staffpos_hl from accounts_dep.person where " + where), c.position) << tag;
    }
  }
  EXPECT_EQ(Scalar("select count(*) from accounts_dep.person"), 4 + 3);
  EXPECT_EQ(Text("select fio from accounts_dep.person where id=101"), "Иванов И.И.");
}

TEST_F(WorkersTest, EmptyNameOrDatabaseErrorKeepsTheEditWindowOpen) {
  Form2->Tag = 1;
  for (QString typed : {"", "  \t "}) {
    messages_.Clear();
    Form2->Edit1->setText(typed);
    Form2->Button1Click();
    ASSERT_EQ(messages_.Calls().size(), 1u);
    EXPECT_EQ(messages_.Calls()[0].text, "ФИО нужно заполнить!");
    EXPECT_EQ(messages_.Calls()[0].caption, "Ошибка");
    EXPECT_EQ(messages_.Calls()[0].icon, platform::MsgIcon::Error);
  }
  Sql("revoke insert on accounts_dep.person from sys");
  messages_.Clear();
  Form2->Edit1->setText("Сидоров А.В.");
  platform::RunGuarded([] { Form2->Button1Click(); });
  ASSERT_EQ(messages_.Calls().size(), 1u);
  EXPECT_TRUE(messages_.Calls()[0].text.contains("person")) << messages_.Calls()[0].text.toStdString();
  EXPECT_EQ(editClosed_, 0);
  EXPECT_EQ(Scalar("select count(*) from accounts_dep.person"), 4);
}

TEST_F(WorkersTest, LookupsKeepTheLastChoiceBetweenUses) {
  auto edit = [&](std::function<void()> user, bool add) {
    Browse([&] {
      OnModal([&](QDialog*) {
        user();
        return Form2->ModalResult();
      });
      if (add) {
        Form5->Button1Click();
        Form5->Button4Click();
      } else {
        Select(101);
        Form5->Button2Click();
      }
    });
  };
  edit([] {
    for (auto* box : {Form2->LCB_department, Form2->LCB_staffpos, Form2->LCB_roles}) {
      EXPECT_EQ(box->Text(), "");
      EXPECT_EQ(box->maxVisibleItems(), 10);
    }
    Form2->Edit1->setText("Сидоров А.В.");
    Form2->LCB_department->SetKeyValue(202);
    Form2->LCB_staffpos->SetKeyValue(302);
    Form2->LCB_roles->SetKeyValue(401);
    Form2->Button1Click();
  }, true);
  edit([] {
    EXPECT_EQ(Form2->LCB_department->Text(), "Цех 2");
    EXPECT_EQ(Form2->LCB_staffpos->Text(), "Маляр");
    EXPECT_EQ(Form2->LCB_roles->Text(), "Мастер");
    Form2->Button2Click();
  }, false);
  EXPECT_EQ(Text("select s_staffpos_hl from accounts_dep.person where fio='Сидоров А.В.'"), "Цех 2");
}

TEST_F(WorkersTest, WheelMovesOnlyTheFocusedLookup) {
  Form2->staffpos->Open();
  Form2->roles->Open();
  Form2->FormActivate();
  EXPECT_EQ(Form2->focusWidget(), Form2->Edit1);
  Wheel(Form2->LCB_staffpos, -120);
  EXPECT_EQ(Form2->LCB_staffpos->currentIndex(), -1);  // no lookup has the focus

  Form2->LCB_staffpos->setFocus();
  Wheel(Form2->Edit1, -120);
  EXPECT_EQ(Form2->LCB_staffpos->currentIndex(), 0);
  Wheel(Form2->LCB_roles, -120);  // over another lookup: still the focused one moves
  Wheel(Form2, -60);
  Wheel(Form2, -60);  // two half notches make one
  EXPECT_EQ(Form2->LCB_staffpos->currentIndex(), 2);
  EXPECT_EQ(Form2->LCB_roles->currentIndex(), -1);
  Wheel(Form2->Button1, -120);  // past the last row: stays
  EXPECT_EQ(Form2->LCB_staffpos->currentIndex(), 2);
  Wheel(Form2->Edit1, 240);
  EXPECT_EQ(Form2->LCB_staffpos->currentIndex(), 0);
  EXPECT_EQ(Form2->LCB_staffpos->KeyValue(), Form2->staffpos->FieldAt(1, "id").Value());
}
