#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QRadioButton>
#include <iostream>

#include "app/data_module.h"
#include "journal/journal_window.h"
#include "journal/position_window.h"
#include "reference/price_list_window.h"
#include "reference/workers_list_window.h"
#include "tests/support/app_fixture.h"

namespace {

const QDate kMonday(2024, 3, 4);

// Two workers, a product, an assembly and a painting operation with their price rows, and
// one position of worker 101 on 4 March in shift 1 with 4 hours.
const char* kFixture = R"sql(
insert into cmn_classifier.item(id, s_caption, b_excluded) values (100, 'Корпуса', 0);
insert into cmn_gds_and_srv.gds_and_srv(id, s_caption, id_msm_bs, massa, id_class_item) values (100, 'КП-12', 6, 1, 100);
insert into accounts_dep.vid_oper(id, vid) values (100, 'Сборка'), (101, 'Покрытие краска');
insert into accounts_dep.oper(id, vid, i_id, naimen, cena_new) values (100, 100, 100, 0, 0), (101, 101, 100, 1, 0);
insert into accounts_dep.norm(o_id, norma, price, prize) values (100, 10, 1.20, 0), (100, 20, 0.95, 0), (101, 5, 0.161, 0);
insert into accounts_dep.person(id, fio, s_staffpos_hl) values (101, 'Иванов И.И.', 'цех'),
  (102, 'Д''Артаньян \ ''; drop table x; --', 'цех');
insert into accounts_dep.smena(id, data, smena, w_id, i_id, o_id, cena, kol_vo, brak, color, time, prize, ok, vvod) values
  (1, '2024-03-04', 1, 101, 100, 100, 0.95, 10, 1, 0, 4, 0, 'да', '2024-03-04');
insert into accounts_dep.h_tabel(w_id, smena, month, year, d4) values (101, 1, 3, 2024, 4);
)sql";

struct Entry {
  qlonglong w_id = 101;
  QString fio = QStringLiteral("Иванов И.И.");
  qlonglong o_id = 100;
  QString operation = QStringLiteral("КП-12; Сборка; Готовая продукция");
  double cena = 0.95;
  QString kol_vo = QStringLiteral("10");
  QString brak = QStringLiteral("0");
  QString colour;
  QString time = QStringLiteral("2");
};

class PositionTest : public testsupport::AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    Sql(kFixture);
    for (int s = 1; s <= 4; ++s) DataModule6->JournalQuery(s)->ParamByName("ok")->Value = QStringLiteral("ta");
    Form1->Password = "6240";
    Form1->FormActivate();
    Form1->DateT->setDate(kMonday);
    Form1->DateTCloseUp();
  }

  // Fills the position window as the pickers and the keyboard would.
  static void Fill(const Entry& e) {
    Form11->Edit1->setText(e.fio);
    Form11->pos_w_id = e.w_id;
    Form11->Edit2->setText(e.operation);
    Form11->pos_o_id = e.o_id;
    Form11->pos_i_id = 100;
    Form11->pos_cena = e.cena;
    Form11->Edit3->setText(e.kol_vo);
    Form11->Edit4->setText(e.brak);
    Form11->Edit5->setText(e.colour);
    Form11->Edit6->setText(e.time);
  }

  // "Добавить" in the journal, the entry typed in, "Запись".
  void Add(const Entry& e) {
    OnModal([&](QDialog*) {
      Fill(e);
      Form11->Button1Click();
      return int(platform::mrCancel);
    });
    Form1->Button1Click();
  }

  qlonglong Positions() { return Scalar("select count(*) from accounts_dep.smena"); }
  QString Text(const QString& sql) {
    platform::TADOQuery q(nullptr, sql);
    q.Open();
    return q.FieldAt(1, q.FieldNames().value(0)).AsString();
  }
  QStringList Messages() {
    QStringList out;
    for (const auto& c : messages_.Calls()) out << c.text;
    return out;
  }
};

}  // namespace

TEST_F(PositionTest, NewPositionIsWrittenWithItsHoursInTheGridAndTheWindowLocks) {
  Entry e;
  e.w_id = 102;
  e.fio = QStringLiteral("Д'Артаньян");
  e.kol_vo = "12";
  e.brak = "2";
  e.time = "3";
  OnModal([&](QDialog* w) {
    EXPECT_EQ(w->windowTitle(), "Заведение новой позиции (11)");
    EXPECT_EQ(Form11->Tag, TForm11::kNew);
    EXPECT_EQ(Form11->DTimeP->date(), kMonday);
    EXPECT_EQ(Form11->Edit4->text(), "0");
    EXPECT_EQ(Form11->Edit6->text(), "0");
    EXPECT_TRUE(Form11->Button1->isEnabled());
    EXPECT_FALSE(Form11->CheckBox1->isEnabled());
    EXPECT_FALSE(Form11->DBGrid1->isEnabled());
    Fill(e);
    Form11->Button1Click();
    EXPECT_GT(Form11->pos_id, 0);
    for (QWidget* x : std::initializer_list<QWidget*>{Form11->Edit1, Form11->Edit3, Form11->Edit9, Form11->DTimeP,
                                                      Form11->Button1, Form11->Button3, Form11->Button4})
      EXPECT_FALSE(x->isEnabled());
    EXPECT_TRUE(Form11->CheckBox1->isEnabled());
    EXPECT_TRUE(Form11->DBGrid1->isEnabled());
    EXPECT_TRUE(Form11->person->Active());
    return int(platform::mrCancel);
  });
  Form1->Button1Click();
  EXPECT_TRUE(messages_.Calls().empty()) << Messages().join("; ").toStdString();

  const QString row = Text(
      QStringLiteral("select concat_ws('|', w_id, i_id, o_id, cena, kol_vo, brak, to_char(data, 'DD.MM.YYYY'), smena, "
                     "color, time, vvod = current_date, ok, prize, id_doc, id_doc_item, f_gds_qty_use, id_gds_use, "
                     "id_cons_use) from accounts_dep.smena where id=%1")
          .arg(Form11->pos_id));
  EXPECT_EQ(row, "102|100|100|0.95|12|2|04.03.2024|1|0|3|t|no|0|0|0|0|0|0");
  EXPECT_EQ(DataModule6->Smena1->RecordCount(), 2);  // the journal was re-read
  EXPECT_EQ(Scalar("select d4 from accounts_dep.h_tabel where w_id=102 and smena=1 and month=3 and year=2024"), 3);
}

TEST_F(PositionTest, GridRowIsInsertedOnceAndTheDayCellHoldsTheSum) {
  Entry e;
  e.w_id = 102;
  e.time = "3";
  Add(e);
  EXPECT_EQ(Scalar("select count(*) from accounts_dep.h_tabel where w_id=102"), 1);
  e.colour = "";
  e.kol_vo = "5";
  e.o_id = 101;  // another operation of the same day
  e.operation = "КП-12; Покрытие краска; Заготовки";
  e.colour = "3";
  e.time = "5";
  Add(e);
  Form1->DateT->setDate(kMonday.addDays(1));
  Form1->DateTCloseUp();
  e.time = "6";
  Add(e);
  EXPECT_TRUE(messages_.Calls().empty()) << Messages().join("; ").toStdString();
  EXPECT_EQ(Scalar("select count(*) from accounts_dep.h_tabel where w_id=102"), 1);
  EXPECT_EQ(Scalar("select d4 from accounts_dep.h_tabel where w_id=102"), 8);
  EXPECT_EQ(Scalar("select d5 from accounts_dep.h_tabel where w_id=102"), 6);

  // The journal comes back to the record number it was on.
  ASSERT_EQ(DataModule6->Smena1->RecordCount(), 1);
  Form1->DateT->setDate(kMonday);
  Form1->DateTCloseUp();
  ASSERT_EQ(DataModule6->Smena1->RecordCount(), 3);
  DataModule6->Smena1->SetRecNo(2);
  e.colour = "4";
  Add(e);
  EXPECT_EQ(DataModule6->Smena1->RecordCount(), 4);
  EXPECT_EQ(DataModule6->Smena1->RecNo(), 2);
}

TEST_F(PositionTest, CopyUnchangedIsADuplicateUntilColourOrWorkerDiffers) {
  struct Case {
    const char* what;
    qlonglong w_id;
    QString colour;
    bool inserted;
  } cases[] = {
      {"unchanged", 101, "", false},
      {"another colour", 101, "5", true},
      {"another worker", 102, "", true},
  };
  for (const Case& c : cases) {
    messages_.Clear();
    const qlonglong before = Positions();
    DataModule6->Smena1->Locate("id", 1);
    OnModal([&](QDialog* w) {
      EXPECT_EQ(Form11->Tag, TForm11::kCopy) << c.what;
      EXPECT_EQ(w->windowTitle(), "Изменение данных о позиции (11)");
      EXPECT_EQ(Form11->Edit2->text(), "КП-12; Сборка; Готовая продукция");
      EXPECT_EQ(Form11->Edit3->text(), "10");
      EXPECT_EQ(Form11->Edit4->text(), "1");
      EXPECT_EQ(Form11->Edit6->text(), "4");
      EXPECT_EQ(Form11->Edit8->text(), "");
      EXPECT_EQ(Form11->Edit9->text(), QLocale().toString(9.5, 'f', 1));  // 10 pieces x 0.95
      EXPECT_FALSE(Form11->Label6->isEnabled());  // not a painting operation
      Form11->pos_w_id = c.w_id;
      Form11->Edit5->setText(c.colour);
      Form11->Button1Click();
      return int(platform::mrCancel);
    });
    Form1->Copy1Click();
    EXPECT_EQ(Form11->Tag, 0);
    EXPECT_EQ(Positions(), before + (c.inserted ? 1 : 0)) << c.what;
    if (c.inserted) {
      EXPECT_TRUE(messages_.Calls().empty()) << c.what;
    } else {
      ASSERT_EQ(messages_.Calls().size(), 1u) << c.what;
      EXPECT_EQ(messages_.Calls()[0].text, "Позиция с такими параметрами уже заведена!");
      EXPECT_EQ(messages_.Calls()[0].caption, "Ошибка");
      EXPECT_EQ(messages_.Calls()[0].icon, platform::MsgIcon::Error);
    }
  }
  // The copy with another colour is a position of its own, not accepted yet.
  EXPECT_EQ(Scalar("select count(*) from accounts_dep.smena where w_id=101 and color=5 and ok='no'"), 1);
}

TEST_F(PositionTest, ChangeIsNotADuplicateOfItselfAndKeepsAcceptance) {
  DataModule6->Smena1->Locate("id", 1);
  OnModal([&](QDialog*) {
    EXPECT_EQ(Form11->Tag, TForm11::kChange);
    Form11->Edit3->setText("12");
    Form11->Edit6->setText("6");
    Form11->Button1Click();
    return int(platform::mrCancel);
  });
  Form1->Button2Click();
  EXPECT_TRUE(messages_.Calls().empty()) << Messages().join("; ").toStdString();
  EXPECT_EQ(Positions(), 1);
  EXPECT_EQ(Text("select concat_ws('|', kol_vo, time, ok, vvod = current_date) from accounts_dep.smena where id=1"),
            "12|6|да|t");
  EXPECT_EQ(Scalar("select d4 from accounts_dep.h_tabel where w_id=101"), 6);
  EXPECT_EQ(DataModule6->Smena1->RecNo(), 1);
}

TEST_F(PositionTest, ChangeOfWorkerOrDateMovesTheHoursInTheGrid) {
  DataModule6->Smena1->Locate("id", 1);
  OnModal([&](QDialog*) {
    Form11->pos_w_id = 102;
    Form11->DTimeP->setDate(kMonday.addDays(1));
    Form11->Button1Click();
    return int(platform::mrCancel);
  });
  Form1->Button2Click();
  EXPECT_TRUE(messages_.Calls().empty()) << Messages().join("; ").toStdString();
  EXPECT_EQ(Scalar("select d4 from accounts_dep.h_tabel where w_id=101"), 0);
  EXPECT_EQ(Scalar("select d5 from accounts_dep.h_tabel where w_id=102"), 4);
  EXPECT_EQ(Scalar("select count(*) from accounts_dep.h_tabel where w_id=102 and d4 is not null"), 0);
}

TEST_F(PositionTest, ChangeIntoAnotherPositionIsRefused) {
  Entry e;
  e.w_id = 102;
  Add(e);
  DataModule6->Smena1->Locate("id", 1);
  OnModal([&](QDialog*) {
    Form11->pos_w_id = 102;  // now the same as the other position
    Form11->Edit4->setText("0");
    Form11->Button1Click();
    return int(platform::mrCancel);
  });
  Form1->Button2Click();
  ASSERT_EQ(messages_.Calls().size(), 1u);
  EXPECT_EQ(messages_.Calls()[0].text, "Позиция с такими параметрами уже заведена!");
  EXPECT_EQ(Scalar("select w_id from accounts_dep.smena where id=1"), 101);
}

TEST_F(PositionTest, PaintingNeedsAColourAndPositionsDifferingInColourAreBoth) {
  Entry paint;
  paint.w_id = 102;
  paint.o_id = 101;
  paint.cena = 0.161;
  for (const QString& text : {QStringLiteral("КП-12; Покрытие краска; Заготовки"),
                              QStringLiteral("КП-12; Покрытие КРАСКА; Заготовки")}) {
    messages_.Clear();
    paint.operation = text;
    Add(paint);
    ASSERT_EQ(messages_.Calls().size(), 1u) << text.toStdString();
    EXPECT_EQ(messages_.Calls()[0].text, "Все поля должны быть заполнены!");
  }
  EXPECT_EQ(Positions(), 1);

  messages_.Clear();
  paint.colour = "7";
  Add(paint);
  paint.colour = "12";
  Add(paint);
  EXPECT_TRUE(messages_.Calls().empty()) << Messages().join("; ").toStdString();
  EXPECT_EQ(Scalar("select count(*) from accounts_dep.smena where w_id=102 and o_id=101"), 2);
  // The piece price goes into SQL with a decimal point whatever the workstation writes.
  EXPECT_EQ(Text("select string_agg(distinct cena::text, ',') from accounts_dep.smena where o_id=101"), "0.161");

  // An assembly without a colour: the colour is written as 0.
  Entry plain;
  plain.w_id = 102;
  Add(plain);
  EXPECT_EQ(Scalar("select count(*) from accounts_dep.smena where w_id=102 and o_id=100 and color=0"), 1);
}

TEST_F(PositionTest, FieldsAreCheckedInOrderAndBadNumbersAreRefusedBeforeWriting) {
  struct Case {
    const char* what;
    std::function<void(Entry&)> spoil;
    QString message;
  } cases[] = {
      {"no worker", [](Entry& e) { e.fio = " "; }, "Все поля должны быть заполнены!"},
      {"no operation", [](Entry& e) { e.operation = ""; }, "Все поля должны быть заполнены!"},
      {"no quantity", [](Entry& e) { e.kol_vo = ""; }, "Все поля должны быть заполнены!"},
      {"no defects", [](Entry& e) { e.brak = ""; }, "Все поля должны быть заполнены!"},
      {"no hours", [](Entry& e) { e.time = ""; }, "Все поля должны быть заполнены!"},
      {"defects above quantity", [](Entry& e) { e.brak = "11"; }, "Брак не может быть больше количества!"},
      {"quantity too large", [](Entry& e) { e.kol_vo = "2147483648"; }, "Количество не может быть больше 2147483647!"},
      {"defects too large",
       [](Entry& e) {
         e.kol_vo = "40000";
         e.brak = "32768";
       },
       "Брак не может быть больше 32767!"},
      {"hours above a day", [](Entry& e) { e.time = "25"; }, "Время не может быть больше 24 ч.!"},
  };
  for (const Case& c : cases) {
    messages_.Clear();
    Entry e;
    e.w_id = 102;
    c.spoil(e);
    Add(e);
    ASSERT_EQ(messages_.Calls().size(), 1u) << c.what;
    EXPECT_EQ(messages_.Calls()[0].text, c.message) << c.what;
    EXPECT_EQ(messages_.Calls()[0].caption, "Ошибка") << c.what;
    EXPECT_EQ(Positions(), 1) << c.what;
  }
  EXPECT_EQ(Scalar("select count(*) from accounts_dep.h_tabel"), 1);

  // Digit-only boxes keep only the digits of pasted text.
  Form11->Edit3->setText("");
  Form11->Edit3->insert("1 2a3,5");
  EXPECT_EQ(Form11->Edit3->text(), "1235");
}

TEST_F(PositionTest, PriceDisplaysAndNewClearsForTheNextPosition) {
  Form11->pos_cena = 1.425;
  Form11->Edit3->setText("");
  Form11->Edit6->setText("");
  Form11->Edit3Exit();
  EXPECT_EQ(Form11->Edit3->text(), "0");
  EXPECT_EQ(Form11->Edit6->text(), "0");
  Form11->Edit3->setText("3");
  Form11->Edit6Exit();
  EXPECT_EQ(Form11->Edit7->text(), QLocale().toString(1.425, 'f', 3));
  EXPECT_EQ(Form11->Edit9->text(), QLocale().toString(4.275, 'f', 3));
  EXPECT_EQ(Form11->Edit8->text(), "0");  // the price list is closed

  Entry e;
  e.w_id = 102;
  Add(e);
  ASSERT_FALSE(Form11->Button1->isEnabled());
  Form11->Button8Click();
  EXPECT_EQ(Form11->Tag, TForm11::kNew);
  EXPECT_EQ(Form11->windowTitle(), "Заведение новой позиции (11)");
  EXPECT_EQ(Form11->pos_id, 0);
  EXPECT_EQ(Form11->pos_w_id, 0);
  EXPECT_EQ(Form11->pos_cena, 0);
  EXPECT_TRUE(Form11->Edit1->text().isEmpty());
  EXPECT_EQ(Form11->Edit4->text(), "0");
  EXPECT_EQ(Form11->DTimeP->date(), kMonday);  // the date stays
  EXPECT_TRUE(Form11->Button1->isEnabled());
  EXPECT_FALSE(Form11->CheckBox1->isEnabled());
}

TEST_F(PositionTest, TheWholeRoadThroughThePickersOnADayOffNightShift) {
  Form1->RadioButton3->setChecked(true);
  Form1->CBox1->setChecked(true);
  OnModal([&](QDialog*) {
    Form11->Button3Click();
    EXPECT_EQ(Form11->Edit1->text(), "Иванов И.И.");
    Form11->Button4Click();
    EXPECT_EQ(Form11->Edit2->text(), "КП-12; Сборка; Готовая продукция");
    EXPECT_NEAR(Form11->pos_cena, 2.28, 1e-9);  // 0.95 x 2 x 1.2
    EXPECT_EQ(Form11->Edit8->text(), QLocale().toString(0.95, 'f', 2));
    EXPECT_FALSE(Form11->Edit5->isEnabled());
    Form11->Edit3->setText("4");
    Form11->Edit6->setText("8");
    Form11->Button1Click();
    return int(platform::mrCancel);
  });
  OnModal([&](QDialog*) {  // the workers list as the worker picker
    EXPECT_EQ(Form5->Tag, 1);
    EXPECT_EQ(Form5->Button2->text(), "Выбрать");
    EXPECT_FALSE(Form5->Button1->isVisibleTo(Form5));
    DataModule6->Workers->Locate("id", 101);
    Form5->Button2Click();
    return int(platform::mrOk);
  });
  OnModal([&](QDialog*) {  // the price list as the operation chooser
    EXPECT_EQ(Form4->Tag, 1);
    EXPECT_EQ(Form4->Button2->text(), "Выбрать");
    EXPECT_EQ(DataModule6->Oper->RecNo(), 1);
    DataModule6->Oper->Locate("id", 100);
    Form4->Button2Click();
    return int(platform::mrOk);
  });
  Form1->Button1Click();
  EXPECT_TRUE(messages_.Calls().empty()) << Messages().join("; ").toStdString();
  EXPECT_FALSE(DataModule6->Workers->Active());
  EXPECT_EQ(Text("select concat_ws('|', w_id, o_id, cena, kol_vo, time, smena) from accounts_dep.smena where "
                 "smena=3"),
            "101|100|2.28|4|8|3");
  EXPECT_EQ(Scalar("select d4 from accounts_dep.h_tabel where w_id=101 and smena=3"), 8);
}

// Shows which decimal separator this run's workstation locale uses; the suite also runs
// under a locale that writes a decimal comma.
TEST(PositionLocale, DecimalSeparatorOfThisRun) {
  std::cout << "locale " << QLocale().name().toStdString() << ", decimal separator '"
            << QLocale().decimalPoint().toStdString() << "'" << std::endl;
  EXPECT_EQ(TForm11::PriceText(0.161), "0.161");
  EXPECT_EQ(TForm11::PriceText(1.4249999999999998), "1.425");
  EXPECT_EQ(TForm11::PriceText(2.0), "2");
  EXPECT_EQ(TForm11::DisplayNumber(1234.5), QLocale().toString(1234.5, 'f', 1).remove(QLocale().groupSeparator()));
}
