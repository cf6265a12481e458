#include <QHeaderView>
#include <QVBoxLayout>

#include "app/result_widgets.h"
#include "app/tform1.h"
#include "output/statistics_export.h"
#include "stats/degree_tables.h"

namespace climstat::app {

namespace {

// The formula picture of a degree page, rendered as text.
QLabel* formula(const QString& name, const std::string& text, QWidget* parent) {
    auto* label = makeLabel(name, QString::fromStdString(text), parent);
    QFont font = label->font();
    font.setPointSize(font.pointSize() + 5);
    font.setItalic(true);
    label->setFont(font);
    label->setStyleSheet(
        QStringLiteral("background: white; color: navy; padding: 8px; "
                       "border: 1px solid #a0a0c0;"));
    label->setAlignment(Qt::AlignCenter);
    return label;
}

}  // namespace

void TForm1::buildDegreePages() {
    auto degreePage = [](QWidget* page, RadioGroup*& selector, const QString& selectorName,
                         QTableView*& grid, const QString& gridName, QLabel*& season,
                         const QString& seasonName, QLabel*& heating, const QString& heatingName,
                         QLabel*& cooling, const QString& coolingName, bool hours,
                         const QString& positiveName, const QString& fileHintName) {
        auto* row = new QHBoxLayout();
        auto* controls = new QVBoxLayout();
        selector = new RadioGroup(selectorName, QStringLiteral("Variable a representar"),
                                  {QStringLiteral("Calefacción"), QStringLiteral("Refrigeración")},
                                  1, page);
        selector->setItemIndex(0);
        controls->addWidget(selector);
        controls->addStretch(1);
        auto* right = new QVBoxLayout();
        grid = makeGrid(gridName, true, 66, page);
        grid->verticalHeader()->setDefaultSectionSize(25);
        // Six base rows and the header, all in view: the header's height is known only once
        // it has a font, so it is measured from that.
        grid->setFixedHeight(6 * 25 + grid->fontMetrics().height() + 14 + 2 * grid->frameWidth());
        grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        season = makeLabel(seasonName, {}, page);
        heating = formula(
            heatingName,
            hours ? degreeHourFormula(DegreeKind::Heating) : degreeDayFormula(DegreeKind::Heating),
            page);
        cooling = formula(
            coolingName,
            hours ? degreeHourFormula(DegreeKind::Cooling) : degreeDayFormula(DegreeKind::Cooling),
            page);
        cooling->hide();
        right->addWidget(grid);
        right->addWidget(season);
        auto* formulas = new QHBoxLayout();
        formulas->addWidget(heating);
        formulas->addWidget(cooling);
        formulas->addWidget(makeLabel(positiveName, qs(std::string(kPositiveTermsCaption)), page));
        formulas->addStretch(1);
        right->addLayout(formulas);
        right->addWidget(makeLabel(fileHintName, qs(std::string(kSaveFileHint)), page));
        right->addStretch(1);
        row->addLayout(controls);
        row->addLayout(right, 1);
        insertContent(page, row);
        // In a narrow window the selector goes above the table, which then shows every column.
        setScrollingHalves(page, row);
    };
    degreePage(TSGradosHora, RGOpcionTipo3, "RGOpcionTipo3", StringGrid3, "StringGrid3", Label50,
               "Label50", ImageGHC, "ImageGHC", ImageGHR, "ImageGHR", true, "Label39", "Label43");
    degreePage(TSGradosDia, RGOpcionTipo4, "RGOpcionTipo4", StringGrid5, "StringGrid5", Label62,
               "Label62", ImageGDC, "ImageGDC", ImageGDR, "ImageGDR", false, "Label60", "Label61");
    TSGradosHora->findChild<QLabel*>("TSGradosHora_note")->setObjectName("Label53");
    TSGradosDia->findChild<QLabel*>("TSGradosDia_note")->setObjectName("Label52");
    connect(RGOpcionTipo3, &RadioGroup::clicked, this,
            [this] { guarded(this, [this] { showDegreeHourTable(); }); });
    connect(RGOpcionTipo4, &RadioGroup::clicked, this,
            [this] { guarded(this, [this] { showDegreeDayTable(); }); });
}

void TForm1::showDegreeHourTable() {
    const auto kind = static_cast<DegreeKind>(RGOpcionTipo3->itemIndex());
    Label50->clear();
    ImageGHC->setVisible(kind == DegreeKind::Heating);
    ImageGHR->setVisible(kind == DegreeKind::Cooling);
    Label50->setText(qs(degreeSeasonCaption(kind)));
    setGridTexts(StringGrid3, degreeTableTexts(*state_, kind, decimalSeparator()));
    showAllColumns(StringGrid3);
}

void TForm1::showDegreeDayTable() {
    const auto kind = static_cast<DegreeKind>(RGOpcionTipo4->itemIndex());
    Label62->clear();
    ImageGDC->setVisible(kind == DegreeKind::Heating);
    ImageGDR->setVisible(kind == DegreeKind::Cooling);
    Label62->setText(qs(degreeSeasonCaption(kind)));
    setGridTexts(StringGrid5, degreeTableTexts(*state_, kind, decimalSeparator()));
    showAllColumns(StringGrid5);
}
}  // namespace climstat::app
