#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include "app/data_module.h"
#include "platform/sql_quote.h"
#include "reference/price_edit_window.h"
#include "reference/product_edit_window.h"
#include "reference/products_list_window.h"
#include "tests/support/app_fixture.h"

namespace {

const QString kHostileMark = QStringLiteral("Д'Арт \\ '; drop table x; -- :id $$ %2");

// Groups in use (100, 101), one no longer in use (102) and an entry of another level.
const char* kGroups = R"sql(
insert into cmn_classifier.item(id, id_level, s_caption, b_excluded) values
  (100, 2, 'Корпуса', 0), (101, 2, 'Крышки', 0), (102, 2, 'Старые', 1), (103, 1, 'Готовые изделия', 0);
insert into accounts_dep.vid_oper(id, vid) values (100, 'Сборка');
insert into accounts_dep.person(id, fio, s_staffpos_hl) values (101, 'Иванов И.И.', 'цех');
)sql";

// A product in each group; 100 has a price row with a norm and journal positions (one in
// 2001, one today), 101 a price row and a position, 102 neither.
const char* kProducts = R"sql(
insert into cmn_gds_and_srv.gds_and_srv(id, s_caption, s_description, id_msm_bs, massa, id_class_item) values
  (100, 'КП-12', '', 6, 1.5, 100), (101, 'кп-20', '', 6, 2, 101), (102, 'Рама', '', 6, 0.000125, 102);
insert into accounts_dep.oper(id, vid, i_id, naimen, cena_new) values (100, 100, 100, 0, 2.5), (101, 100, 101, 0, 3);
insert into accounts_dep.norm(o_id, norma, price, prize) values (100, 10, 2.5, 0);
insert into accounts_dep.smena(data, smena, w_id, i_id, o_id, cena, kol_vo) values
  ('2001-03-05', 1, 101, 100, 100, 2.5, 10), (current_date, 1, 101, 100, 100, 2.5, 4),
  (current_date, 2, 101, 101, 101, 3, 1);
)sql";

class ProductsTest : public testsupport::AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    Sql(kGroups);
    Sql(kProducts);
    DataModule6->Izdel->Open();
    Form3->Tag = 0;
  }
  // Makes the product current in the list.
  void Select(qlonglong id) { ASSERT_TRUE(DataModule6->Izdel->Locate("id", id)) << id; }
  QString Text(const QString& sql) {
    platform::TADOQuery q(nullptr, sql);
    q.Open();
    return q.FieldByName(q.FieldNames().value(0)).AsString();
  }
  static void Type(QLineEdit* box, const QString& keys) {
    for (QChar c : keys) {
      QKeyEvent press(QEvent::KeyPress, c.toUpper().unicode(), Qt::NoModifier, QString(c));
      QApplication::sendEvent(box, &press);
    }
  }
  qlonglong Count(const QString& table, const QString& where) {
    return Scalar(QStringLiteral("select count(*) from %1 where %2").arg(table, where));
  }
};

}  // namespace

TEST_F(ProductsTest, ListShowsProductsAndSearchesByTheStartOfTheMark) {
  EXPECT_EQ(Form3->windowTitle(), "Изделия (3)");
  const QAbstractItemModel* m = Form3->DBGrid1->model();
  ASSERT_EQ(m->columnCount(), 3);
  EXPECT_EQ(m->headerData(0, Qt::Horizontal).toString(), "Марка изделия");
  EXPECT_EQ(m->headerData(1, Qt::Horizontal).toString(), "Номенклатурная группа");
  EXPECT_EQ(m->headerData(2, Qt::Horizontal).toString(), "Коробки");

  // Letter case does not matter, Cyrillic included.
  Form3->Edit1->setText("кП");
  ASSERT_EQ(DataModule6->Izdel->RecordCount(), 2);
  EXPECT_EQ(Form3->DBGrid1->CellText(0, "marka"), "КП-12");
  EXPECT_EQ(Form3->DBGrid1->CellText(0, "nom"), "Корпуса");
  EXPECT_EQ(Form3->DBGrid1->CellText(0, "massa"), "1,5");

  // Up and Down move the list from the search box; other keys are left to the box.
  EXPECT_TRUE(Form3->Edit1KeyDown(Qt::Key_Down));
  EXPECT_EQ(DataModule6->Izdel->RecNo(), 2);
  EXPECT_TRUE(Form3->Edit1KeyDown(Qt::Key_Down));
  EXPECT_EQ(DataModule6->Izdel->RecNo(), 2);
  EXPECT_TRUE(Form3->Edit1KeyDown(Qt::Key_Up));
  EXPECT_EQ(DataModule6->Izdel->RecNo(), 1);
  EXPECT_FALSE(Form3->Edit1KeyDown(Qt::Key_Left));
  EXPECT_FALSE(Form3->Edit1KeyDown(Qt::Key_A));

  // A quote in the search text is searched for, not taken for the end of the filter.
  Sql("insert into cmn_gds_and_srv.gds_and_srv(s_caption, id_class_item) values ('" +
      QString(kHostileMark).replace("'", "''") + "', 100)");
  DataModule6->Izdel->Requery();
  Form3->Edit1->setText("д'арт \\ '");
  ASSERT_EQ(DataModule6->Izdel->RecordCount(), 1);
  EXPECT_EQ(Form3->DBGrid1->CellText(0, "marka"), kHostileMark);

  // The search stays on the list when it is shown again; an empty box shows everything.
  Form3->Edit1->setText("Ра");
  DataModule6->Izdel->Close();
  DataModule6->Izdel->Open();
  EXPECT_EQ(DataModule6->Izdel->RecordCount(), 1);
  Form3->Edit1->clear();
  EXPECT_EQ(DataModule6->Izdel->RecordCount(), 9);  // four products and the five reserved rows
}

TEST_F(ProductsTest, ReservedRowsAndAnEmptyListIgnoreTheButtons) {
  Form10->Edit1->setText("прежнее");
  for (qlonglong id : {7777, 7778}) {
    for (int tag : {0, 1}) {
      Select(id);
      Form3->Tag = tag;
      Form3->Button2Click();
      Form3->DBGrid1DblClick();
      Form3->Button3Click();
    }
  }
  Form3->Edit1->setText("нет такой марки");
  Form3->Button2Click();
  Form3->Button3Click();
  EXPECT_EQ(ModalCount(), 0);
  EXPECT_TRUE(messages_.Calls().empty());
  EXPECT_EQ(Form10->Edit1->text(), "прежнее");
  EXPECT_EQ(Form10->sel_i_id, 0);
  EXPECT_EQ(Count("cmn_gds_and_srv.gds_and_srv", "id in (7777, 7778)"), 2);
}

TEST_F(ProductsTest, ChooseModeHandsTheProductToThePriceWindow) {
  Sql("update cmn_gds_and_srv.gds_and_srv set s_caption='  КП-12  ' where id=100");
  DataModule6->Izdel->Requery();
  Form3->Tag = 1;
  Select(100);
  const int recNo = DataModule6->Izdel->RecNo();
  Form3->DBGrid1DblClick();
  EXPECT_EQ(Form10->Edit1->text(), "КП-12");
  EXPECT_EQ(Form10->sel_i_id, 100);
  EXPECT_EQ(Form3->ModalResult(), platform::mrOk);
  EXPECT_EQ(DataModule6->Izdel->RecNo(), recNo);
  EXPECT_EQ(ModalCount(), 0);
}

TEST_F(ProductsTest, ChangeShowsTheProductAndWritesItBack) {
  Select(100);
  const int recNo = DataModule6->Izdel->RecNo();
  OnModal([&](QDialog* w) {
    EXPECT_EQ(w, Form7);
    EXPECT_EQ(Form7->windowTitle(), "Изменение данных изделия (7)");
    EXPECT_EQ(Form7->Tag, 2);
    EXPECT_EQ(Form7->Edit1->text(), "КП-12");
    EXPECT_EQ(Form7->Edit2->text(), "1.5");
    EXPECT_EQ(Form7->cb_item->Text(), "Корпуса");
    EXPECT_EQ(Form7->cb_item->count(), 3);  // level-2 groups in use, the reserved one included
    Form7->Edit1->setText("  " + kHostileMark + " ");
    Form7->Edit2->setText("2,75");  // a stored value may carry a decimal comma
    Form7->cb_item->SetKeyValue(101);
    Form7->Button1Click();
    return Form7->ModalResult();
  });
  Form3->Button2Click();
  EXPECT_EQ(ModalCount(), 1);
  EXPECT_TRUE(messages_.Calls().empty());
  EXPECT_EQ(Text("select s_caption from cmn_gds_and_srv.gds_and_srv where id=100"), kHostileMark);
  EXPECT_EQ(Text("select massa::text from cmn_gds_and_srv.gds_and_srv where id=100"), "2.75");
  EXPECT_EQ(Scalar("select id_class_item from cmn_gds_and_srv.gds_and_srv where id=100"), 101);
  EXPECT_EQ(Count("cmn_gds_and_srv.gds_and_srv", "id=100 and s_description='' and id_msm_bs=6"), 1);
  EXPECT_FALSE(Form7->item->Active());
  EXPECT_EQ(DataModule6->Izdel->RecNo(), recNo);  // the list is re-read and back on its row

  // A group no longer in use shows no caption but stays the product's group; six places of
  // the number survive the round trip through the box.
  Select(102);
  OnModal([&](QDialog*) {
    EXPECT_EQ(Form7->cb_item->Text(), "");
    EXPECT_EQ(Form7->Edit2->text(), "0.000125");
    Form7->Edit1->setText("Рама-2");
    Form7->Button1Click();
    return Form7->ModalResult();
  });
  Form3->Button2Click();
  EXPECT_TRUE(messages_.Calls().empty());
  EXPECT_EQ(Text("select s_caption || ' ' || massa || ' ' || id_class_item from cmn_gds_and_srv.gds_and_srv where id=102"),
            "Рама-2 0.000125 102");
}

TEST_F(ProductsTest, AddClearsTheWindowAndInsertsTheProduct) {
  Form7->Edit1->setText("старое");
  Form7->Edit2->setText("9");
  Select(101);
  OnModal([&](QDialog*) {
    EXPECT_EQ(Form7->windowTitle(), "Заведение нового изделия (7)");
    EXPECT_EQ(Form7->Tag, 1);
    EXPECT_EQ(Form7->Edit1->text(), "");
    EXPECT_EQ(Form7->Edit2->text(), "");
    Form7->Edit1->setText(kHostileMark);
    Type(Form7->Edit2, "0,5x");  // a comma is entered as a point, a letter is dropped
    EXPECT_EQ(Form7->Edit2->text(), "0.5");
    Form7->cb_item->setCurrentIndex(Form7->cb_item->findText("Крышки"));
    Form7->Button1Click();
    return Form7->ModalResult();
  });
  Form3->Button1Click();
  EXPECT_TRUE(messages_.Calls().empty());
  EXPECT_EQ(Form7->ModalResult(), platform::mrOk);
  EXPECT_EQ(Count("cmn_gds_and_srv.gds_and_srv",
                  "s_caption=" + platform::QuotedStr(kHostileMark) +
                      " and massa=0.5 and id_class_item=101 and id_msm_bs=6 and s_description='' and id>=10000"),
            1);
  EXPECT_EQ(DataModule6->Izdel->RecordCount(), 9);
  ASSERT_TRUE(DataModule6->Izdel->Locate("marka", kHostileMark));
  EXPECT_EQ(DataModule6->Izdel->FieldByName("nom").AsString(), "Крышки");
}

TEST_F(ProductsTest, SaveRefusesMissingFieldsBrokenNumbersAndDuplicateMarks) {
  const QString missing = "Все поля должны быть заполнены!";
  const QString notNumber = "Расценка должна быть числом!";
  const QString duplicate = "Такая марка изделия уже заведена!";
  struct Case {
    int tag;
    qlonglong product;  // selected in the list (change mode)
    QString mark, massa;
    qlonglong group;  // 0: leave the box empty
    QString message;  // "" when the save goes through
  } cases[] = {
      {1, 0, "  ", "1", 100, missing},
      {1, 0, "Новое", " ", 100, missing},
      {1, 0, "Новое", "1", 0, missing},
      {1, 0, "Новое", "1", 102, missing},  // a group the box no longer offers is not a choice
      {1, 0, "Новое", ".", 100, notNumber},
      {1, 0, "Новое", "1.2.3", 100, notNumber},
      {1, 0, "кп-12", "1", 100, duplicate},  // another letter case is the same mark
      {1, 0, "КП-20", "1", 100, duplicate},
      {2, 101, "КП-12", "1", 100, duplicate},
      {2, 100, "кп-12", "3", 100, ""},  // its own mark, in another case
      {1, 0, "Новое", "5.", 100, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE((c.mark + " / " + c.massa + " / " + QString::number(c.group)).toStdString());
    messages_.Clear();
    const qlonglong before = Scalar("select count(*) from cmn_gds_and_srv.gds_and_srv");
    if (c.product) Select(c.product);
    Form7->Tag = c.tag;
    Form7->Edit1->setText(c.mark);
    Form7->Edit2->setText(c.massa);
    Form7->item->Open();
    Form7->cb_item->SetKeyValue(c.group ? QVariant(c.group) : QVariant());
    Form7->setResult(platform::mrNone);
    Form7->Button1Click();
    Form7->item->Close();
    if (c.message.isEmpty()) {
      EXPECT_TRUE(messages_.Calls().empty());
      EXPECT_EQ(Form7->ModalResult(), platform::mrOk);
    } else {
      ASSERT_EQ(messages_.Calls().size(), 1u);
      EXPECT_EQ(messages_.Calls()[0].text, c.message);
      EXPECT_EQ(messages_.Calls()[0].caption, "Ошибка");
      EXPECT_EQ(messages_.Calls()[0].icon, platform::MsgIcon::Error);
      EXPECT_EQ(Form7->ModalResult(), platform::mrNone);  // the window stays open
      EXPECT_EQ(Scalar("select count(*) from cmn_gds_and_srv.gds_and_srv"), before);
    }
  }
  EXPECT_EQ(Text("select s_caption || ' ' || massa from cmn_gds_and_srv.gds_and_srv where id=100"), "кп-12 3");
  EXPECT_EQ(Count("cmn_gds_and_srv.gds_and_srv", "s_caption='Новое' and massa=5"), 1);
}

TEST(ProductsJournalCount, CountsFromTheMonthBeforeInTheYear2000) {
  EXPECT_EQ(TForm3::JournalCountFrom(QDate(2024, 1, 15)), QDate(2000, 12, 1));
  EXPECT_EQ(TForm3::JournalCountFrom(QDate(2024, 2, 1)), QDate(2000, 1, 1));
  EXPECT_EQ(TForm3::JournalCountFrom(QDate(2024, 5, 31)), QDate(2000, 4, 1));
  EXPECT_EQ(TForm3::JournalCountFrom(QDate(2023, 12, 31)), QDate(2000, 11, 1));
}

TEST_F(ProductsTest, DeleteAsksAboutPricesThenTheProduct) {
  const QString prices = "По изделию есть расценки они будут удалены!!!";
  const QString positions =
      "По изделию есть операции в текущем, предыдущем месяцах и ранее, они будут удалены. Удалить изделие? ";
  const QString product = "Удалить изделие? ";
  struct Case {
    const char* name;
    qlonglong id;
    QVector<int> answers;
    QStringList questions;
    qlonglong pricesLeft, positionsLeft, productLeft;
  } cases[] = {
      {"yes to both", 100, {platform::mrYes, platform::mrYes}, {prices, positions}, 0, 0, 0},
      {"prices only", 100, {platform::mrYes, platform::mrNo}, {prices, positions}, 0, 2, 1},
      {"no to both", 100, {platform::mrNo, platform::mrNo}, {prices, positions}, 1, 2, 1},
      {"product only", 100, {platform::mrNo, platform::mrYes}, {prices, positions}, 1, 0, 0},
      {"nothing else", 102, {platform::mrNo}, {product}, 0, 0, 1},
      {"no journal", 102, {platform::mrYes}, {product}, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Sql("delete from accounts_dep.smena; delete from accounts_dep.norm where id>=10000;"
        "delete from accounts_dep.oper where id<7777; delete from cmn_gds_and_srv.gds_and_srv where id<7777;");
    Sql(kProducts);
    DataModule6->Izdel->Requery();
    Select(c.id);
    messages_.Clear();
    for (int a : c.answers) messages_.Answer(a);
    Form3->Button3Click();
    QStringList asked;
    for (const auto& m : messages_.Calls()) {
      asked << m.text;
      EXPECT_EQ(m.caption, "Удаление");
      EXPECT_EQ(m.icon, platform::MsgIcon::Question);
      EXPECT_EQ(m.buttons, platform::mbYes | platform::mbNo);
    }
    EXPECT_EQ(asked, c.questions);
    const QString i = QString::number(c.id);
    EXPECT_EQ(Count("accounts_dep.oper", "i_id=" + i), c.pricesLeft);
    EXPECT_EQ(Count("accounts_dep.smena", "i_id=" + i), c.positionsLeft);
    EXPECT_EQ(Count("cmn_gds_and_srv.gds_and_srv", "id=" + i), c.productLeft);
    // Other products and their journal stay; the list is re-read from its first row.
    EXPECT_EQ(Count("accounts_dep.smena", "i_id=101"), 1);
    EXPECT_EQ(Count("accounts_dep.oper", "i_id=101"), 1);
    EXPECT_EQ(DataModule6->Izdel->RecordCount(), 7 + c.productLeft);
    EXPECT_EQ(DataModule6->Izdel->RecNo(), 1);
  }
}

TEST_F(ProductsTest, FailedProductDeleteKeepsItsJournalPositions) {
  Sql("revoke delete on cmn_gds_and_srv.gds_and_srv from sys");
  Select(100);
  messages_.Answer(platform::mrNo);   // keep the prices
  messages_.Answer(platform::mrYes);  // delete the product with its positions
  platform::RunGuarded([] { Form3->Button3Click(); });
  ASSERT_EQ(messages_.Calls().size(), 3u);
  EXPECT_EQ(messages_.Calls()[2].icon, platform::MsgIcon::Error);
  EXPECT_TRUE(messages_.Calls()[2].text.contains("gds_and_srv")) << messages_.Calls()[2].text.toStdString();
  EXPECT_EQ(Count("accounts_dep.smena", "i_id=100"), 2);
  EXPECT_EQ(Count("cmn_gds_and_srv.gds_and_srv", "id=100"), 1);
  // The connection is usable afterwards, outside any unit of work.
  Sql("grant delete on cmn_gds_and_srv.gds_and_srv to sys");
  messages_.Clear();
  messages_.Answer(platform::mrNo);
  messages_.Answer(platform::mrYes);
  Form3->Button3Click();
  EXPECT_EQ(Count("accounts_dep.smena", "i_id=100"), 0);
  EXPECT_EQ(Count("cmn_gds_and_srv.gds_and_srv", "id=100"), 0);
}

