// Typing into the grids with the keyboard, as an organiser does: the typed text reaches the
// dataset through the cell editor, moving to another row saves it, and nothing typed is lost
// when a button is pressed before the editor is closed.
#include "WindowFixture.h"

#include <QTest>

namespace pelagor {
namespace {

using test::WindowFixture;

class Keyboard : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        QApplication::setActiveWindow(w);
        ASSERT_TRUE(QTest::qWaitForWindowActive(w));
        exec("insert into competiciones (Nombre) values ('Copa')");
        reloadCompetitions();
        click("BCompeticiones");
        click("BCompPart");
    }
    QTableView* grid() { return find<QTableView>("GridParticipantes"); }
    void typeText(const char* text) {
        QTest::keyClicks(QApplication::focusWidget(), QString::fromUtf8(text));
    }
    void key(Qt::Key k) {
        QTest::keyClick(QApplication::focusWidget(), k);
        QApplication::processEvents();
    }
};

TEST_F(Keyboard, TypedRowsAreSavedWhenTheUserMovesOn) {
    navClick("NavParticipantes", "nbInsert"); // opens the editor on the number
    typeText("7");
    key(Qt::Key_Tab);
    typeText("Nora Diaz");
    key(Qt::Key_Tab);
    typeText("F");
    key(Qt::Key_Tab);
    EXPECT_EQ(sql("select count(*) from participantes"), "0"); // still being typed
    navClick("NavParticipantes", "nbPost");
    EXPECT_EQ(sql("select id_part, Nombre, Sexo from participantes"), "7,Nora Diaz,F");

    navClick("NavParticipantes", "nbInsert");
    typeText("3");
    key(Qt::Key_Tab);
    typeText("Iker");
    // Pressing "Marcas Anunciadas" with the editor still open keeps what was typed.
    click("BPartMarcasAnunciadas");
    EXPECT_EQ(sql("select group_concat(id_part || ' ' || Nombre, '; ') from participantes"),
              "7 Nora Diaz; 3 Iker");
    EXPECT_TRUE(boxes.texts.empty());
}

TEST_F(Keyboard, LettersInANumberCellAreNotAccepted) {
    navClick("NavParticipantes", "nbInsert");
    typeText("x1y2");
    key(Qt::Key_Tab);
    EXPECT_EQ(cell("GridParticipantes", 0, 0), QStringLiteral("12"));
    navClick("NavParticipantes", "nbCancel");
    EXPECT_EQ(rows("GridParticipantes"), 0);
}

} // namespace
} // namespace pelagor
