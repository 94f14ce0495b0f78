#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <cmath>

#include "app/data_module.h"
#include "journal/journal_window.h"
#include "journal/position_window.h"
#include "platform/workbook.h"
#include "reference/norms_window.h"
#include "reference/operation_types_window.h"
#include "reference/price_edit_window.h"
#include "reference/price_list_window.h"
#include "reference/products_list_window.h"
#include "reports/excel_export.h"
#include "tests/support/app_fixture.h"

namespace {

const QString kHostileMark = QStringLiteral("Д'Арт \\ '; drop table x; --");

// Products КП-12, Рама and one with a hostile mark; the operation types Сборка and Окраска.
// Row 100 (КП-12, Сборка, finished) has norms priced 1.20 and 0.95; row 101 (Рама, Окраска,
// blanks) one norm; row 102 (Рама, Сборка, finished) none, so it is not listed; row 103
// (the hostile mark, Сборка, blanks) one norm.
const char* kFixture = R"sql(
insert into cmn_classifier.item(id, id_level, s_caption, b_excluded) values (100, 2, 'Корпуса', 0);
insert into cmn_gds_and_srv.gds_and_srv(id, s_caption, s_description, id_msm_bs, massa, id_class_item) values
  (100, 'КП-12', '', 6, 1, 100), (101, 'Рама', '', 6, 1, 100),
  (102, 'Д''Арт \ ''; drop table x; --', '', 6, 1, 100);
insert into accounts_dep.vid_oper(id, vid) values (100, 'Сборка'), (101, 'Окраска');
insert into accounts_dep.oper(id, vid, i_id, naimen, cena_new) values
  (100, 100, 100, 0, 2.5), (101, 101, 101, 1, 3), (102, 100, 101, 0, 4.125), (103, 100, 102, 1, 0.5);
insert into accounts_dep.norm(id, o_id, norma, price, prize) values
  (100, 100, 10, 1.20, 5), (101, 100, 20, 0.95, 0), (102, 101, 1, 3, 0), (103, 103, 1, 0.5, 0);
)sql";

class PricesTest : public testsupport::AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    Sql(kFixture);
    Form4->Tag = 0;
    Form4->CheckBox1->setChecked(false);
    DataModule6->Oper->Open();
  }
  TADOQuery* Oper() { return DataModule6->Oper; }
  void Select(qlonglong id) { ASSERT_TRUE(Oper()->Locate("id", id)) << id; }
  qlonglong Count(const QString& table, const QString& where) {
    return Scalar(QStringLiteral("select count(*) from %1 where %2").arg(table, where));
  }
  QString Text(const QString& sql) {
    platform::TADOQuery q(nullptr, sql);
    q.Open();
    return q.IsEmpty() ? QString() : q.FieldByName(q.FieldNames().value(0)).AsString();
  }
  // The list row of a price-list row, -1 when it is not listed.
  int ListRow(qlonglong id) {
    for (int r = 1; r <= Oper()->RecordCount(); ++r)
      if (Oper()->FieldAt(r, "id").AsLargeInt() == id) return r - 1;
    return -1;
  }
  static void Key(QWidget* w, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
  }
  // The user's part in the product and operation-type pickers: the row with this id.
  void PickIn(TADOQuery* query, platform::TForm* list, QPushButton* choose, qlonglong id) {
    OnModal([=](QDialog* w) {
      EXPECT_EQ(w, list);
      EXPECT_EQ(list->Tag, 1);
      EXPECT_TRUE(query->Active());
      EXPECT_EQ(choose->text(), "Выбрать");
      EXPECT_TRUE(choose->isDefault());
      EXPECT_TRUE(query->Locate("id", id));
      choose->click();
      return int(platform::mrOk);
    });
  }
  const platform::TCell* ExportCell(int column, int row) {
    const platform::TWorkbook* book = SharedExcelExport().Workbook();
    return book ? book->Cell(1, column, row) : nullptr;
  }
  // The lines the export wrote below its header, four cells each.
  QList<QStringList> ExportRows() {
    QList<QStringList> rows;
    for (int r = 2; ExportCell(1, r); ++r) {
      QStringList line;
      for (int c = 1; c <= 4; ++c) line << (ExportCell(c, r) ? ExportCell(c, r)->value : QString());
      rows << line;
    }
    return rows;
  }
};

}  // namespace

TEST_F(PricesTest, ListShowsEachRowWithNormsWithItsLowestPriceAndNormCount) {
  EXPECT_EQ(Form4->windowTitle(), "Цены (4)");
  const QAbstractItemModel* m = Form4->DBGrid1->model();
  const QStringList titles{"Марка", "Ном. гр. ", "Опреция", "Цена (min)", "Вид", "id", "i_id", "oper_vid",
                           "Нормы (шт.)"};
  ASSERT_EQ(m->columnCount(), titles.size());
  for (int c = 0; c < titles.size(); ++c) {
    EXPECT_EQ(m->headerData(c, Qt::Horizontal).toString(), titles[c]);
    EXPECT_EQ(Form4->DBGrid1->isColumnHidden(c), c >= 5 && c <= 7) << c;
  }

  // The reserved hourly rows 7777 and 7778 have norms and are listed; 102 has none.
  EXPECT_EQ(Oper()->RecordCount(), 5);
  EXPECT_EQ(ListRow(102), -1);
  const int row = ListRow(100);
  ASSERT_GE(row, 0);
  EXPECT_EQ(Form4->DBGrid1->CellText(row, "marka"), "КП-12");
  EXPECT_EQ(Form4->DBGrid1->CellText(row, "s_caption"), "Корпуса");
  EXPECT_EQ(Form4->DBGrid1->CellText(row, "vid"), "Сборка");
  EXPECT_EQ(Form4->DBGrid1->CellText(row, "cena"), "0,95");
  EXPECT_EQ(Form4->DBGrid1->CellText(row, "nmn"), "Готовая продукция");
  EXPECT_EQ(Form4->DBGrid1->CellText(row, "norma"), "2");
  EXPECT_EQ(Form4->DBGrid1->CellText(ListRow(101), "nmn"), "Заготовки");
  EXPECT_EQ(Form4->DBGrid1->CellText(ListRow(103), "marka"), kHostileMark);

  // Prices are shown with two to four places.
  QAbstractItemDelegate* price = Form4->DBGrid1->itemDelegateForColumn(3);
  ASSERT_NE(price, nullptr);
  auto* styled = static_cast<QStyledItemDelegate*>(price);
  for (const auto& [shown, expected] : std::vector<std::pair<QString, QString>>{
           {"3", "3,00"}, {"1,2", "1,20"}, {"0,95", "0,95"}, {"1,425", "1,425"}, {"0,1234", "0,1234"}})
    EXPECT_EQ(styled->displayText(shown, QLocale()), expected) << shown.toStdString();
}

TEST_F(PricesTest, ChoosingAppliesTheDayOffAndShiftFactorsAndDescribesTheOperation) {
  struct Case {
    bool dayOff;
    int shift;
    double price;
  };
  const Case cases[] = {{false, 1, 0.95}, {true, 1, 1.90}, {false, 3, 1.14},
                        {true, 3, 2.28},  {false, 4, 1.425}, {true, 4, 2.85}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "day off " << c.dayOff << ", shift " << c.shift);
    Form1->CBox1->setChecked(c.dayOff);
    Form1->Shift = c.shift;
    Form11->pos_cena = 0;
    Form11->Edit2->clear();
    Form4->Tag = 1;
    Form4->CheckBox1->setChecked(true);  // in choose mode a double click chooses all the same
    Select(100);
    Form4->DBGrid1DblClick();
    EXPECT_DOUBLE_EQ(std::round(Form11->pos_cena * 10000) / 10000, c.price);
    EXPECT_EQ(Form11->pos_o_id, 100);
    EXPECT_EQ(Form11->pos_i_id, 100);
    EXPECT_EQ(Form11->Edit2->text(), "КП-12; Сборка; Готовая продукция");
    EXPECT_EQ(Form4->ModalResult(), platform::mrOk);
  }

  // A mark with quotes and a backslash comes back verbatim; blanks are the other kind.
  Form1->CBox1->setChecked(false);
  Form1->Shift = 1;
  Select(103);
  Form4->Button2Click();
  EXPECT_EQ(Form11->Edit2->text(), kHostileMark + "; Сборка; Заготовки");
  EXPECT_DOUBLE_EQ(Form11->pos_cena, 0.5);
  EXPECT_EQ(ModalCount(), 0);
  EXPECT_TRUE(messages_.Calls().empty());
}

TEST_F(PricesTest, ReservedRowsAndAnEmptyListIgnoreChooseChangeAndDelete) {
  Form11->pos_o_id = 1;
  for (qlonglong id : {7777, 7778}) {
    for (int tag : {0, 1}) {
      Form4->Tag = tag;
      Select(id);
      Form4->Button2Click();
      Form4->DBGrid1DblClick();
      Form4->Button3Click();
    }
  }
  Form4->Tag = 0;
  Form4->Edit1->setText("нет такой марки");
  ASSERT_TRUE(Oper()->IsEmpty());
  Form4->Button2Click();
  Form4->Button3Click();
  Form4->CheckBox1->setChecked(true);
  Form4->DBGrid1DblClick();
  EXPECT_EQ(ModalCount(), 0);
  EXPECT_TRUE(messages_.Calls().empty());
  EXPECT_EQ(Form11->pos_o_id, 1);
  EXPECT_EQ(Count("accounts_dep.oper", "id in (7777, 7778)"), 2);
}

TEST_F(PricesTest, SearchKeepsRowsWhoseMarkContainsTheTextAndArrowsMoveTheList) {
  Form4->Edit1->setText("12");
  ASSERT_EQ(Oper()->RecordCount(), 1);
  EXPECT_EQ(Oper()->FieldByName("marka").AsString(), "КП-12");

  // Anywhere in the mark, any letter case; a quote is searched for like any character.
  Form4->Edit1->setText("АМ");
  ASSERT_EQ(Oper()->RecordCount(), 1);
  EXPECT_EQ(Oper()->FieldByName("marka").AsString(), "Рама");
  Form4->Edit1->setText("'арт \\ '");
  ASSERT_EQ(Oper()->RecordCount(), 1);
  EXPECT_EQ(Oper()->FieldByName("id").AsInteger(), 103);

  // Blanks only switch the search off; so does clearing the box.
  Form4->Edit1->setText("   ");
  EXPECT_FALSE(Oper()->Filtered());
  EXPECT_EQ(Oper()->RecordCount(), 5);
  Form4->Edit1->setText("р");
  EXPECT_EQ(Oper()->RecordCount(), 4);  // all but КП-12
  Form4->Edit1->clear();
  EXPECT_EQ(Oper()->RecordCount(), 5);

  Oper()->First();
  Key(Form4->Edit1, Qt::Key_Down);
  Key(Form4->Edit1, Qt::Key_Down);
  EXPECT_EQ(Oper()->RecNo(), 3);
  Key(Form4->Edit1, Qt::Key_Up);
  EXPECT_EQ(Oper()->RecNo(), 2);
  EXPECT_EQ(Form4->Edit1->text(), "");
}

TEST_F(PricesTest, NewRowIsWrittenWithItsFirstNormAndAppearsInTheList) {
  OnModal([&](QDialog* w) {
    EXPECT_EQ(w, Form10);
    EXPECT_EQ(Form10->windowTitle(), "Заведение новой цены за операцию");
    EXPECT_EQ(Form10->Tag, 1);
    EXPECT_TRUE(Form10->Edit3->isVisibleTo(Form10));
    EXPECT_TRUE(Form10->Label3->isVisibleTo(Form10));
    EXPECT_EQ(Form10->ComboBox1->currentIndex(), 0);
    Form10->Button3Click();
    Form10->Button4Click();
    EXPECT_EQ(Form10->Edit1->text(), kHostileMark);
    EXPECT_EQ(Form10->Edit2->text(), "Окраска");
    // Back from the pickers, which are plain lists again with their queries closed.
    EXPECT_FALSE(Form3->Button2->isDefault());
    EXPECT_FALSE(Form3->Edit1->isVisibleTo(Form3));
    EXPECT_FALSE(DataModule6->Izdel->Active());
    EXPECT_FALSE(Form8->Button2->isDefault());
    EXPECT_FALSE(DataModule6->Vid_oper->Active());
    Form10->ComboBox1->setCurrentIndex(1);
    Form10->Edit3->setText("1,75");
    Form10->Button1Click();
    return Form10->ModalResult();
  });
  PickIn(DataModule6->Izdel, Form3, Form3->Button2, 102);
  PickIn(DataModule6->Vid_oper, Form8, Form8->Button2, 101);
  Form4->Button1Click();

  EXPECT_EQ(ModalCount(), 3);
  EXPECT_TRUE(messages_.Calls().empty());
  EXPECT_EQ(Form10->ModalResult(), platform::mrOk);
  const qlonglong id = Scalar("select id from accounts_dep.oper where vid=101 and i_id=102 and naimen=1");
  ASSERT_GT(id, 0);
  EXPECT_EQ(Text(QStringLiteral("select cena_new::text from accounts_dep.oper where id=%1").arg(id)), "0");
  EXPECT_EQ(Text(QStringLiteral("select norma||'/'||price||'/'||prize from accounts_dep.norm where o_id=%1").arg(id)),
            "0/1.75/0");
  const int row = ListRow(id);
  ASSERT_GE(row, 0);
  EXPECT_EQ(Form4->DBGrid1->CellText(row, "cena"), "1,75");
  EXPECT_EQ(Form4->DBGrid1->CellText(row, "norma"), "1");
}

TEST_F(PricesTest, NewRowIsRefusedWhenAFieldIsMissingTheRowExistsOrThePriceIsNoNumber) {
  struct Case {
    const char* name;
    qlonglong product;  // 0: none chosen
    qlonglong type;
    int kind;
    QString price;
    QString message;
  };
  const QString missing = "Все поля должны быть заполнены!";
  const Case cases[] = {
      {"no product", 0, 100, 0, "1", missing},
      {"no operation type", 100, 0, 0, "1", missing},
      {"no price", 100, 100, 1, " ", missing},
      {"price is no number", 100, 100, 1, ".", "Цена должна быть неотрицательным числом!"},
      {"price with two points", 100, 100, 1, "1.2.3", "Цена должна быть неотрицательным числом!"},
      {"the row exists", 100, 100, 0, "1", "Операция с такими параметрами уже заведена!"},
  };
  const QString marks[] = {"", "КП-12", "Рама", kHostileMark};
  const qlonglong opers = Count("accounts_dep.oper", "true"), norms = Count("accounts_dep.norm", "true");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    messages_.Clear();
    Form10->Tag = 1;
    Form10->Edit1->setText(c.product ? marks[c.product - 99] : QString());
    Form10->sel_i_id = c.product;
    Form10->Edit2->setText(c.type ? "Сборка" : "");
    Form10->sel_oper_vid = c.type;
    Form10->ComboBox1->setCurrentIndex(c.kind);
    Form10->Edit3->setText(c.price);
    Form10->Button1Click();
    ASSERT_EQ(messages_.Calls().size(), 1u);
    EXPECT_EQ(messages_.Calls()[0].text, c.message);
    EXPECT_EQ(messages_.Calls()[0].caption, "Ошибка");
    EXPECT_EQ(messages_.Calls()[0].icon, platform::MsgIcon::Error);
  }
  EXPECT_EQ(Count("accounts_dep.oper", "true"), opers);
  EXPECT_EQ(Count("accounts_dep.norm", "true"), norms);
}

TEST_F(PricesTest, ChangeReKeysTheRowButRefusesTheKeyOfAnotherRow) {
  Select(100);
  // Saved unchanged: the row is no duplicate of itself. Then made a blank of the same.
  for (int kind : {0, 1}) {
    OnModal([&, kind](QDialog* w) {
      EXPECT_EQ(w, Form10);
      EXPECT_EQ(Form10->windowTitle(), "Изменение данных о цене за операцию");
      EXPECT_EQ(Form10->Tag, 2);
      EXPECT_EQ(Form10->Edit1->text(), "КП-12");
      EXPECT_EQ(Form10->Edit2->text(), "Сборка");
      EXPECT_EQ(Form10->sel_i_id, 100);
      EXPECT_EQ(Form10->sel_oper_vid, 100);
      EXPECT_EQ(Form10->ComboBox1->currentIndex(), 0);  // the row is still finished products
      EXPECT_FALSE(Form10->Edit3->isVisibleTo(Form10));
      Form10->ComboBox1->setCurrentIndex(kind);
      Form10->Button1Click();
      return Form10->ModalResult();
    });
    Form4->Button2Click();
    EXPECT_EQ(Form10->ModalResult(), platform::mrOk);
    EXPECT_TRUE(messages_.Calls().empty());
    if (kind == 0) Select(100);
  }
  EXPECT_EQ(Text("select vid||'/'||i_id||'/'||naimen||'/'||cena_new from accounts_dep.oper where id=100"),
            "100/100/1/2.5");
  EXPECT_EQ(Count("accounts_dep.norm", "o_id=100"), 2);
  EXPECT_EQ(Oper()->FieldByName("id").AsInteger(), 100);  // the list stays on the row
  EXPECT_EQ(Oper()->FieldByName("nmn").AsString(), "Заготовки");

  // Moved onto the product, type and kind of row 102: refused, nothing written.
  Form10->Tag = 2;
  Form10->Edit1->setText("Рама");
  Form10->sel_i_id = 101;
  Form10->Edit2->setText("Сборка");
  Form10->sel_oper_vid = 100;
  Form10->ComboBox1->setCurrentIndex(0);
  Form10->Button1Click();
  ASSERT_EQ(messages_.Calls().size(), 1u);
  EXPECT_EQ(messages_.Calls()[0].text, "Операция с такими параметрами уже заведена!");
  EXPECT_EQ(Text("select vid||'/'||i_id||'/'||naimen from accounts_dep.oper where id=100"), "100/100/1");
}

TEST_F(PricesTest, DeleteAsksAndRemovesTheRowWithItsNormsUnlessTheJournalUsesIt) {
  Select(101);
  messages_.Answer(platform::mrNo);
  Form4->Button3Click();
  ASSERT_EQ(messages_.Calls().size(), 1u);
  EXPECT_EQ(messages_.Calls()[0].text, "Удалить операцию?");
  EXPECT_EQ(messages_.Calls()[0].caption, "Удаление");
  EXPECT_EQ(messages_.Calls()[0].icon, platform::MsgIcon::Question);
  EXPECT_EQ(messages_.Calls()[0].buttons, platform::mbYes | platform::mbNo);
  EXPECT_EQ(Count("accounts_dep.oper", "id=101"), 1);

  messages_.Clear();
  Form4->Button3Click();  // Yes
  EXPECT_EQ(messages_.Calls().size(), 1u);
  EXPECT_EQ(Count("accounts_dep.oper", "id=101"), 0);
  EXPECT_EQ(Count("accounts_dep.norm", "o_id=101"), 0);
  EXPECT_EQ(ListRow(101), -1);
  EXPECT_EQ(Oper()->RecordCount(), 4);

  // A row that journal positions use is kept: they would drop out of the journal.
  Sql("insert into accounts_dep.smena(data, smena, w_id, i_id, o_id, cena, kol_vo) values "
      "('2024-03-04', 1, 1, 100, 100, 0.95, 3)");
  Select(100);
  messages_.Clear();
  Form4->Button3Click();
  ASSERT_EQ(messages_.Calls().size(), 1u);
  EXPECT_EQ(messages_.Calls()[0].caption, "Удаление");
  EXPECT_EQ(messages_.Calls()[0].icon, platform::MsgIcon::Error);
  EXPECT_EQ(Count("accounts_dep.oper", "id=100"), 1);
  EXPECT_EQ(Count("accounts_dep.norm", "o_id=100"), 2);
}

TEST_F(PricesTest, NormsAreEditedInPlaceAddedOnTheLastLineAndTheLastOneIsKept) {
  Form4->CheckBox1->setChecked(true);
  Select(100);
  // The user's part in the norms window.
  auto play = [&] {
    EXPECT_EQ(Form22->windowTitle(), "Норматив");
    platform::TDBEditGrid* g = Form22->DBGrid1;
    const QAbstractItemModel* m = g->model();
    EXPECT_EQ(m->headerData(0, Qt::Horizontal).toString(), "Норматив");
    EXPECT_EQ(m->headerData(1, Qt::Horizontal).toString(), "Цена");
    EXPECT_EQ(m->headerData(2, Qt::Horizontal).toString(), "Премия, %");
    EXPECT_EQ(m->rowCount(), 3);  // two norms and the line for a new one
    EXPECT_EQ(g->CellText(0, "norma"), "10");
    EXPECT_EQ(g->CellText(0, "price"), "1,20");
    EXPECT_EQ(g->CellText(0, "prize"), "5");
    EXPECT_EQ(g->CellText(1, "price"), "0,95");
    EXPECT_EQ(g->CellText(2, "price"), "");

    // A changed price is written when the user leaves the row.
    g->SetCurrentRow(0);
    EXPECT_TRUE(g->SetCellText(0, "price", "1.3256"));
    EXPECT_FALSE(Form22->norm_is_new);
    EXPECT_EQ(g->CellText(0, "price"), "1,326");
    EXPECT_EQ(Text("select price::text from accounts_dep.norm where id=100"), "1.20");
    g->SetCurrentRow(1);
    EXPECT_EQ(Text("select price::text from accounts_dep.norm where id=100"), "1.3256");
    EXPECT_EQ(g->CurrentRow(), 1);

    // Typed values that do not fit are refused and never written.
    const std::pair<const char*, const char*> refused[] = {
        {"norma", "abc"}, {"norma", "-1"}, {"norma", "99999999999"}, {"norma", ""},
        {"price", "1,2,3"}, {"price", "-0.5"}, {"price", "1e3"}, {"prize", "1.5"}, {"prize", "'; drop table x; --"}};
    for (const auto& [field, typed] : refused) {
      messages_.Clear();
      EXPECT_FALSE(g->SetCellText(1, field, typed)) << field << " " << typed;
      ASSERT_EQ(messages_.Calls().size(), 1u) << field << " " << typed;
      EXPECT_EQ(messages_.Calls()[0].caption, "Ошибка");
      EXPECT_EQ(messages_.Calls()[0].icon, platform::MsgIcon::Error);
    }
    EXPECT_FALSE(g->HasPending());
    messages_.Clear();

    // A new norm is typed on the last line; without a price it is not written.
    const int line = g->NewRow();
    g->SetCurrentRow(line);
    EXPECT_TRUE(g->SetCellText(line, "norma", "30"));
    EXPECT_TRUE(Form22->norm_is_new);
    Form22->Button1Click();
    ASSERT_EQ(messages_.Calls().size(), 1u);
    EXPECT_EQ(messages_.Calls()[0].text, "У нового норматива должна быть указана цена!");
    EXPECT_EQ(Count("accounts_dep.norm", "o_id=100"), 2);
    EXPECT_TRUE(g->SetCellText(line, "price", "0,8"));
    g->SetCurrentRow(0);
    EXPECT_EQ(Text("select norma||'/'||price||'/'||prize from accounts_dep.norm where o_id=100 and norma=30"),
              "30/0.8/0");
    EXPECT_FALSE(Form22->norm_is_new);
    EXPECT_EQ(m->rowCount(), 4);

    // Deleting: two of the three go, the last one stays.
    messages_.Clear();
    g->SetCurrentRow(0);
    Form22->Button2Click();
    Form22->Button2Click();
    EXPECT_TRUE(messages_.Calls().empty());
    Form22->Button2Click();
    ASSERT_EQ(messages_.Calls().size(), 1u);
    EXPECT_EQ(messages_.Calls()[0].text, "Последний норматив операции удалить нельзя!");
    EXPECT_EQ(Count("accounts_dep.norm", "o_id=100"), 1);

    // A price typed and saved at once is written before the list is read again.
    EXPECT_TRUE(g->SetCellText(0, "price", "2"));
    Form22->Button1Click();
  };
  OnModal([&](QDialog* w) {
    EXPECT_EQ(w, Form22);
    play();
    return Form22->ModalResult();
  });
  Form4->DBGrid1DblClick();
  EXPECT_EQ(Form22->ModalResult(), platform::mrOk);
  EXPECT_EQ(Count("accounts_dep.norm", "o_id<>100 and o_id not in (101, 103, 7777, 7778)"), 0);
  EXPECT_EQ(Oper()->FieldByName("id").AsInteger(), 100);
  EXPECT_EQ(Form4->DBGrid1->CellText(Oper()->RecNo() - 1, "cena"), "2");
  EXPECT_EQ(Form4->DBGrid1->CellText(Oper()->RecNo() - 1, "norma"), "1");
}

TEST_F(PricesTest, NormsWindowDropsAnUnfinishedNewNormOnDeleteAndTakesEveryRowOfItsOwn) {
  Form22->OpenNorms(101);
  platform::TDBEditGrid* g = Form22->DBGrid1;
  const int line = g->NewRow();
  g->SetCurrentRow(line);
  EXPECT_TRUE(g->SetCellText(line, "prize", "7"));
  Form22->Button2Click();
  EXPECT_FALSE(g->HasPending());
  EXPECT_FALSE(Form22->norm_is_new);
  EXPECT_EQ(Count("accounts_dep.norm", "o_id=101"), 1);

  // Another row's norms are not shown here, and a new one belongs to this row.
  EXPECT_EQ(g->model()->rowCount(), 2);
  EXPECT_TRUE(g->SetCellText(line, "price", "3,5"));
  EXPECT_TRUE(g->Post());
  EXPECT_EQ(Count("accounts_dep.norm", "o_id=101"), 2);
  EXPECT_TRUE(messages_.Calls().empty());
}

TEST_F(PricesTest, ExportListsEveryRowWithItsOwnPrice) {
  Form4->Button5Click();
  EXPECT_EQ(Form4->Button5->text(), "Excel");
  EXPECT_TRUE(Form4->Button5->isEnabled());
  EXPECT_FALSE(Form4->XLS_Rep->Active());
  EXPECT_TRUE(messages_.Calls().empty());
  ASSERT_NE(SharedExcelExport().Workbook(), nullptr);

  const QStringList header{"Марка", "Операция", "Цена", "Вид"};
  for (int c = 0; c < header.size(); ++c) {
    ASSERT_NE(ExportCell(c + 1, 1), nullptr);
    EXPECT_EQ(ExportCell(c + 1, 1)->value, header[c]);
  }
  // Every row, also 102 without norms, and the five reserved rows, each with its own price.
  const QList<QStringList> rows = ExportRows();
  EXPECT_EQ(rows.size(), 9);
  const QStringList expected[] = {
      {kHostileMark, "Сборка", "0.5", "Заготовки"},  {"КП-12", "Сборка", "2.5", "Готовая продукция"},
      {"Рама", "Окраска", "3", "Заготовки"},          {"Рама", "Сборка", "4.125", "Готовая продукция"},
      {"хоз. работы", "хоз. работы", "0", "Готовая продукция"},
  };
  for (const QStringList& row : expected) EXPECT_TRUE(rows.contains(row)) << row.join(" | ").toStdString();
  // In the order of mark, type and kind.
  EXPECT_LT(rows.indexOf(expected[1]), rows.indexOf(expected[2]));
  EXPECT_LT(rows.indexOf(expected[2]), rows.indexOf(expected[3]));

  // A row made by the price window carries 0 as its own price.
  Form10->Tag = 1;
  Form10->Edit1->setText("КП-12");
  Form10->sel_i_id = 100;
  Form10->Edit2->setText("Окраска");
  Form10->sel_oper_vid = 101;
  Form10->ComboBox1->setCurrentIndex(0);
  Form10->Edit3->setText("9");
  Form10->Button1Click();
  Form4->Button5Click();
  EXPECT_TRUE(ExportRows().contains(QStringList{"КП-12", "Окраска", "0", "Готовая продукция"}));
}
