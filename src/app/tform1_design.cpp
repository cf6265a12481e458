#include <QGridLayout>
#include <QGroupBox>

#include "app/tform1.h"
#include "stats/design_conditions.h"

namespace climstat::app {

void TForm1::buildDesignBoxes(QWidget* page) {
    auto* panel = page->findChild<QGroupBox*>("GBCondiciones");
    auto* grid = static_cast<QGridLayout*>(panel->layout());
    // Empty the placeholder grid of the reference labels: they go under their boxes.
    for (int i = 1; i <= 20; ++i)
        grid->removeWidget(referenceLabels[static_cast<std::size_t>(i)]);
    struct Row {
        const char* heading;
        std::vector<std::pair<const char*, const char*>> columns;  // box, caption
    };
    const Row rows[] = {
        {"CONDICIONES PROYECTO CALEFACCION (Temperatura seca exterior mínima)",
         {{"ETSMIN", "TSMIN(ºC)"},
          {"ETS_996", "TS_99,6(ºC)"},
          {"ETS_99", "TS_99(ºC)"},
          {nullptr, nullptr},
          {"EHUM", "HUMcoin(%)"},
          {"EOMA", "OMA(ºC)"},
          {"EOminDC", "OminDC(ºC)"},
          {"EOMDC", "OMDC(ºC)"}}},
        {"CONDICIONES PROYECTO REFRIGERACION (Temperatura seca exterior máxima)",
         {{"ETSMAX", "TSMAX(ºC)"},
          {"ETS_04", "TS_0,4(ºC)"},
          {"ETHC_04", "THC_0,4(ºC)"},
          {"ETS_1", "TS_1(ºC)"},
          {"ETHC_1", "THC_1(ºC)"},
          {"ETS_2", "TS_2(ºC)"},
          {"ETHC_2", "THC_2(ºC)"},
          {"EOMDR", "OMDR(ºC)"}}},
        {"CONDICIONES PROYECTO REFRIGERACION (Temperatura húmeda exterior máxima)",
         {{"ETH_04", "TH_0,4(ºC)"},
          {"ETSC_04", "TSC_0,4(ºC)"},
          {"ETH_1", "TH_1(ºC)"},
          {"ETSC_1", "TSC_1(ºC)"},
          {"ETH_2", "TH_2(ºC)"},
          {"ETSC_2", "TSC_2(ºC)"}}},
    };
    // The boxes in the order of the engine's results.
    const char* order[21] = {"ETSMIN", "ETS_996", "ETS_99", "EHUM",    "EOMA",    "EOminDC",
                             "EOMDC",  "ETSMAX",  "ETS_04", "ETHC_04", "ETS_1",   "ETHC_1",
                             "ETS_2",  "ETHC_2",  "EOMDR",  "ETH_04",  "ETSC_04", "ETH_1",
                             "ETSC_1", "ETH_2",   "ETSC_2"};
    int gridRow = 1;
    for (const Row& row : rows) {
        auto* heading = makeLabel(QString(), QString::fromUtf8(row.heading), panel);
        QFont bold = heading->font();
        bold.setBold(true);
        heading->setFont(bold);
        grid->addWidget(heading, gridRow++, 0, 1, 8);
        int column = 0;
        for (const auto& [box, caption] : row.columns) {
            if (box == nullptr) {
                ++column;
                continue;
            }
            grid->addWidget(makeLabel(QString(box) + "_caption", QString::fromUtf8(caption), panel),
                            gridRow, column);
            auto* edit = new QLineEdit(panel);
            edit->setObjectName(box);
            edit->setReadOnly(true);
            edit->setMaximumWidth(110);
            grid->addWidget(edit, gridRow + 1, column);
            for (int i = 0; i < 21; ++i) {
                if (QString(order[i]) == box) designBoxes[static_cast<std::size_t>(i)] = edit;
            }
            const QString reference = "L" + QString(box).mid(1);
            for (int i = 1; i <= 20; ++i) {
                QLabel* label = referenceLabels[static_cast<std::size_t>(i)];
                if (label->objectName() == reference) grid->addWidget(label, gridRow + 2, column);
            }
            ++column;
        }
        gridRow += 3;
    }
}
void TForm1::TSProyectoShow() {
    AnalysisState& state = *state_;
    initValidMasks(state, static_cast<DataSource>(RGTiposDatos->itemIndex()));
    const DesignConditions conditions = computeDesignConditions(state);
    const std::vector<DesignResultText> texts = designResultTexts(conditions, decimalSeparator());
    for (std::size_t i = 0; i < texts.size() && i < designBoxes.size(); ++i) {
        designBoxes[i]->setText(qs(texts[i].text));
    }
    ENDatosT->setText(qs(conditions.countTText));
    ENDatosFI->setText(qs(conditions.countHText));
}
}  // namespace climstat::app
