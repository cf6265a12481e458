#pragma once

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScatterSeries>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <array>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "app/charts.h"
#include "app/text_grid_model.h"
#include "app/toolkit.h"
#include "core/analysis_state.h"
#include "data/data_folder.h"
#include "data/station_catalogue.h"
#include "data/station_loader.h"
#include "output/page_labels.h"
#include "selection/day_type_calendar.h"
#include "selection/selection.h"
#include "stats/frequencies.h"

namespace climstat::app {

class DiagramDecorations;

// A label whose click runs an operation (the location labels of the pages are bound to the
// day-type button of the calendar).
class ClickLabel : public QLabel {
    Q_OBJECT
  public:
    explicit ClickLabel(const QString& objectName, QWidget* parent = nullptr);
  signals:
    void clicked();

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// Where the window reads its data from.
struct WindowSetup {
    std::string programFolder;
    DataFolderInputs folderInputs;
    DataFolderChoice dataFolder;
};

// The setting that keeps the data folder the user chose on the station page.
inline constexpr const char* kChosenDataFolderKey = "dataFolder";

// The setup of a start: --data-dir (when given), the environment and the folder the user chose
// in an earlier run, searched in that order before the folders beside the program and the user's.
WindowSetup windowSetup(const std::string& programFolder,
                        const std::optional<std::string>& commandLineDir);

// The main window: the pages of the workflow, the analysis state and the handlers that read
// the controls, call the engine and show what it returns.
class TForm1 : public QMainWindow {
    Q_OBJECT
  public:
    explicit TForm1(WindowSetup setup, QWidget* parent = nullptr);
    ~TForm1() override;

    AnalysisState& state() { return *state_; }
    const DayTypeTable& dayTypeTable() const { return dayTypeTable_; }
    const WindowSetup& setup() const { return setup_; }

    // The settings of the selection pass as the controls hold them now.
    SelectionSettings selectionSettings() const;
    // What the location labels of the result pages and their files are made from. Only the
    // frequency page's altitude label reads the locality altitude of Eaamn (converting it).
    PageLabelSettings pageLabelSettings(bool withLocalityAltitude = false) const;

    // The line of a result page that says which hours its figures count (nullptr for the
    // station and interval pages).
    QLabel* selectionLine(QWidget* page) const;
    // What a printout of a chart carries above it: its page's location and selection lines.
    QStringList printHeading(QWidget* chart) const;

    // Writes the two station files of catalogue item 1..104 from a records file and loads the
    // station; false (with the reason on the station page) when nothing could be written.
    bool importStationRecords(int stationItem, const QString& recordsPath);
    // The same from several files, each ISD-Lite (plain or gzip, moved from UTC to the
    // station's local time) or `;` records, told apart by their content.
    bool importStationFiles(int stationItem, const QStringList& files);

    // Loads EPW files of one location (the data source "Fichero EPW (*.epw)"): one year is a
    // typical year, several are years with their own year lists. False, with the reason on the
    // station page and what was loaded before kept, when they cannot be loaded; false too when
    // they hold no hour with data.
    bool loadEpwFiles(const QStringList& files);

    // --- Controls, named as the pages name them ---
    QWidget* PanelEntrada = nullptr;
    PictureWidget* Image5 = nullptr;
    QToolButton* SBAcerca = nullptr;
    QToolButton* SBImpresor = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QPushButton* BitBtn8 = nullptr;

    QWidget* TSEstacion = nullptr;
    QWidget* TSProyecto = nullptr;
    QWidget* TSIntervalo = nullptr;
    QWidget* TSDiagrama = nullptr;
    QWidget* TSFrecuencias = nullptr;
    QWidget* TSPromedios = nullptr;
    QWidget* TSGradosHora = nullptr;
    QWidget* TSGradosDia = nullptr;
    QWidget* TSValoresHorarios = nullptr;
    QWidget* TSValoresHorariosAEMET = nullptr;

    // Station page.
    RadioGroup* RGTiposDatos = nullptr;
    QComboBox* CBAEMET = nullptr;
    QComboBox* CBMet = nullptr;
    QComboBox* CBMet2013 = nullptr;
    RadioGroup* RGAEMET = nullptr;
    QLineEdit* Eaamn = nullptr;
    QLabel* Label49 = nullptr;
    QToolButton* SpeedButton2 = nullptr;
    QPushButton* BImportar = nullptr;
    QPushButton* BCarpetaDatos = nullptr;  // "Elegir carpeta de datos…"
    QPushButton* BFicherosEPW = nullptr;   // "Abrir ficheros EPW…"
    QLabel* LProvincia = nullptr;
    ClickLabel* LIndicativo = nullptr;
    ClickLabel* LEstacion = nullptr;
    QLabel* LLAT = nullptr;
    QLabel* LLONG = nullptr;
    QLabel* Lasnm = nullptr;
    QLabel* LDatosT = nullptr;
    QLabel* LDatosH = nullptr;
    QLabel* LCarpeta = nullptr;       // the data folder in use
    QLabel* LInformeDatos = nullptr;  // what a step did well (an import written)
    QLabel* LAvisoDatos = nullptr;    // what is missing, when a file or the folder is
    QWidget* Panel3 = nullptr;
    PictureWidget* Image15 = nullptr;

    // Design-conditions page: the station data written by a selection.
    QLineEdit* LProvincia2 = nullptr;
    QLineEdit* LEstacion2 = nullptr;
    QLineEdit* LIndicativo2 = nullptr;
    QLineEdit* Lasnm2 = nullptr;
    QLineEdit* LLAT2 = nullptr;
    QLineEdit* LLONG2 = nullptr;
    QLineEdit* ENDatosT = nullptr;
    QLineEdit* ENDatosFI = nullptr;
    QLabel* LNDatosT = nullptr;
    QLabel* LNDatosFI = nullptr;
    QLabel* LExtrapolacion2 = nullptr;  // where an extrapolation moved the data
    ClickLabel* LEstacion2_ = nullptr;
    ClickLabel* Label2 = nullptr;
    std::array<QLabel*, 21> referenceLabels{};  // LTSMIN .. LTSC_2, 1-based
    QToolButton* SpeedButton1 = nullptr;

    // Interval page.
    RadioGroup* RGIntervalo = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    std::array<QRadioButton*, 8> dayTypeButtons{};  // RBlaboral .. RSin, by day type 1..7
    PictureWidget* ImageCalef = nullptr;
    PictureWidget* ImageCalefS = nullptr;
    PictureWidget* ImageRefrig = nullptr;
    PictureWidget* ImageRefrigS = nullptr;
    QToolButton* SpeedButton3 = nullptr;
    QWidget* PanelCalendario = nullptr;
    PictureWidget* ImageCalendario = nullptr;
    std::array<QRadioButton*, kCalendarModeCount> modeButtons{};  // RBCDia .. RBDiaSemana
    QWidget* PanelIntervalo = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label13 = nullptr;
    QLabel* Label14 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QComboBox* ComboBox2 = nullptr;
    QComboBox* ComboBox3 = nullptr;
    QComboBox* ComboBox4 = nullptr;
    QComboBox* CBCEstaciones = nullptr;
    QComboBox* CBDiaSemana = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QWidget* PanelElegir = nullptr;
    QLabel* LabelTipo = nullptr;
    RadioGroup* RGMinimo = nullptr;
    RadioGroup* RGMaximo = nullptr;
    RadioGroup* RG1Variable = nullptr;
    RadioGroup* RG2Variable = nullptr;
    QLineEdit* EMin = nullptr;
    QLineEdit* EMax = nullptr;
    QLabel* Label47 = nullptr;
    QLabel* Label46 = nullptr;
    QLabel* LAvisoGrados = nullptr;  // why the degree pages are hidden while a limit is active

    // Location labels of the result pages.
    QLabel* LTipodatosD = nullptr;
    QLabel* LProvinciaD = nullptr;
    ClickLabel* LasnmD = nullptr;
    ClickLabel* LEstacionD = nullptr;
    QLabel* Label26 = nullptr;
    QComboBox* ComboBox5 = nullptr;
    QLabel* LTipodatosF = nullptr;
    QLabel* LProvinciaF = nullptr;
    ClickLabel* LasnmF = nullptr;
    ClickLabel* LEstacionF = nullptr;
    QLabel* Label41 = nullptr;
    QLabel* LTipodatosP = nullptr;
    QLabel* LProvinciaP = nullptr;
    ClickLabel* LasnmP = nullptr;
    ClickLabel* LEstacionP = nullptr;
    QLabel* LTipodatosG = nullptr;
    QLabel* LProvinciaG = nullptr;
    ClickLabel* LasnmG = nullptr;
    ClickLabel* LEstacionG = nullptr;
    QLabel* LTipodatosH = nullptr;
    QLabel* LProvinciaH = nullptr;
    ClickLabel* LasnmH = nullptr;
    ClickLabel* LEstacionH = nullptr;
    QLabel* LTipodatosV = nullptr;
    QLabel* LProvinciaV = nullptr;
    ClickLabel* LasnmV = nullptr;
    ClickLabel* LPTV = nullptr;
    QLabel* LTipodatosVAEMET = nullptr;
    QLabel* LProvinciaVAEMET = nullptr;
    ClickLabel* LasnmVAEMET = nullptr;
    ClickLabel* LEstacionVAEMET = nullptr;
    QComboBox* ComboBox6 = nullptr;

    // Design-conditions page: the computed boxes, in the order of the page (ETSMIN .. ETSC_2).
    std::array<QLineEdit*, 21> designBoxes{};

    // Frequency page.
    RadioGroup* RGOpcionTipo = nullptr;
    RadioGroup* RGTipo = nullptr;
    RadioGroup* RGTipoGraficaFrecuencia = nullptr;
    QRadioButton* RBIncluir = nullptr;
    QRadioButton* RadioButton1 = nullptr;
    QTableView* StringGrid1 = nullptr;
    LineChart* Chart3 = nullptr;
    QPushButton* BitBtn6 = nullptr;
    QPushButton* BitBtn7 = nullptr;

    // Hourly-average page.
    RadioGroup* RGOpcionTipo2 = nullptr;
    RadioGroup* RGTipoGraficaPromedio = nullptr;
    QTableView* StringGrid2 = nullptr;
    LineChart* Chart2 = nullptr;
    QPushButton* BitBtn4 = nullptr;
    QPushButton* BitBtn5 = nullptr;

    // Degree pages.
    RadioGroup* RGOpcionTipo3 = nullptr;
    QTableView* StringGrid3 = nullptr;
    QLabel* Label50 = nullptr;
    QLabel* ImageGHC = nullptr;
    QLabel* ImageGHR = nullptr;
    RadioGroup* RGOpcionTipo4 = nullptr;
    QTableView* StringGrid5 = nullptr;
    QLabel* Label62 = nullptr;
    QLabel* ImageGDC = nullptr;
    QLabel* ImageGDR = nullptr;

    // Hourly-value pages.
    RadioGroup* RGTipoGraficaTemp = nullptr;
    RadioGroup* RGDatoRepresentar = nullptr;
    QTableView* StringGrid4 = nullptr;
    LineChart* Chart8 = nullptr;
    SurfaceChart* Chart3D = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QPushButton* BitBtn3 = nullptr;
    QPushButton* BitBtn11 = nullptr;
    QPushButton* BitBtn12 = nullptr;
    RadioGroup* RGTipoGraficaTempAEMET = nullptr;
    RadioGroup* RGDatoRepresentarAEMET = nullptr;
    LineChart* Chart4 = nullptr;
    SurfaceChart* Chart5D = nullptr;
    QPushButton* BitBtn9 = nullptr;
    QPushButton* BitBtn10 = nullptr;
    QPushButton* BitBtn13 = nullptr;
    QPushButton* BitBtn14 = nullptr;

    // Diagram page.
    QChartView* Chart1 = nullptr;
    QProgressBar* CGauge5 = nullptr;
    QLabel* LPuntoDiagrama = nullptr;  // the air under the pointer
    QPushButton* BitBtn39 = nullptr;
    QPushButton* BitBtn41 = nullptr;

    // --- Operations of the workflow ---
    void FormCreate();
    void refreshTabsAndLabels();
    void configureDataSource();
    void RGTiposDatosClick();
    void CBAEMETChange();
    void CBMetChange();
    void CBMet2013Change();
    void RGAEMETClick();
    void selectStation();
    void selectTypicalYear2006();
    void selectTypicalYear2013();
    void loadSelectedStation();
    void Image15MouseMove(int x, int y);
    void Image15DblClick();
    void TSEstacionShow();
    void showHelp(int text);  // 0 general, 1 extrapolation, 2 glossary
    void BitBtn8Click();

    void RGIntervaloClick();
    void RGMinimoClick();
    void RGMaximoClick();
    void RG1VariableClick();
    void RG2VariableClick();
    int selectedDayType() const;
    void scheduleGridClick();
    void drawSchedules();
    void drawCalendar();
    void ImageCalendarioClick();
    void RBCDiaClick(int mode);
    void applyDayTypeSelection();
    void TSIntervaloShow();

    void TSProyectoShow();
    FrequencySettings frequencySettings() const;
    void showFrequencyTable();
    void showFrequencyChart();
    // Fills the chart from the tables as they are, whether it is shown or not.
    void fillFrequencyChart();
    void computeHourlyAveragesPage();
    void showAverageChart();
    void fillAverageChart();
    void showDegreeHourTable();
    void showDegreeDayTable();
    void plotHourlyValuesPage();
    void plotStationHourlyValuesPage();
    void drawDiagramPage();

    // The save button: asks for a file name and writes the active page's table.
    void SBImpresorClick();
    // Writes the active page's table under the name the user chose (the ".txt" rule applied);
    // false, with a message naming the file, when it cannot be written.
    bool saveActivePage(const QString& chosenName);

    // Makes a folder the data folder the user chose (checked to hold a climate file of the lists
    // or the catalogue, remembered for the next starts); false, with a message, when refused.
    bool chooseDataFolder(const QString& folder);

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    QWidget* buildStationPage();
    QWidget* buildDesignPage();
    QWidget* buildIntervalPage();
    // A result page with its location band and note; it scrolls when the window is too small
    // for it, unless told otherwise.
    QWidget* buildResultPage(const QString& name, QLabel*& dataType, QLabel*& province,
                             ClickLabel*& altitude, ClickLabel*& station, const QString& note,
                             bool scrolls = true);
    void buildResultContents();
    void buildDesignBoxes(QWidget* page);
    void buildFrequencyPage();
    void buildAveragePage();
    void buildDegreePages();
    void buildHourlyValuesPages();
    void buildDiagramChart();
    void buildShortcuts();
    // The picture of a chart with the page's current data: a chart hidden under its table is
    // filled from the tables first, at the size it would have.
    QImage currentChartPicture(QWidget* chart);
    void buildEntryPanel();
    void buildHelpPanel();
    void connectHandlers();
    void layOverlays();

    void pageChanged(int index);
    void leavePage(QWidget* page);
    void showPage(QWidget* page);
    void showResultPage(QWidget* page);
    void showSelectionLine(QWidget* page);
    void clearStationLabels(bool withCode);
    void showStationLabels(const StationPageLabels& labels);
    void showExtrapolationNote(const StationLoadSettings& settings);
    void showDesignStationTexts(const DesignPageStationTexts& texts);
    void setCaptionForSource();
    void selectTypicalYear(QComboBox* list, bool list2006);
    void chooseEpwFiles();
    // The year lists of the diagram and the station hourly values, as the loaded data give them.
    void fillYearLists();
    bool epwChosen() const;
    // Whether the loaded data have years to choose from: a station, or actual years of EPW files.
    bool yearsChosen() const;
    void showCalendarPanel();
    QImage calendarPicture(double scale) const;
    void paintMap();
    std::string stationDataFolder(const std::string& code) const;
    void reportMissingFolder();

    void setSaveVisible(bool visible);

    QAction* saveAction_ = nullptr;
    std::vector<QAbstractSeries*> diagramSeries_;  // by series index 0..69
    QScatterSeries* diagramMarkers5_ = nullptr;
    QScatterSeries* diagramMarkers44_ = nullptr;
    PointCloud* diagramHours_ = nullptr;  // the measured hours, series 46

  public:
    // The measured hours as the diagram draws them.
    const PointCloud* diagramHours() const { return diagramHours_; }

  private:
    DiagramDecorations* diagramDecorations_ = nullptr;
    WindowSetup setup_;
    std::unique_ptr<AnalysisState> state_;
    DayTypeTable dayTypeTable_{};
    CalendarPanel calendarPanel_;
    int lastPointerX_ = 0;
    int lastPointerY_ = 0;
    QWidget* currentPage_ = nullptr;
    std::map<QWidget*, QLabel*> selectionLines_;  // by result page
    bool stationLoaded_ = false;   // the chosen station's last load gave hours with data
    bool epwLoaded_ = false;       // EPW files with hours with data were loaded for this source
    StationPageLabels epwLabels_;  // the header of the EPW files loaded
};

}  // namespace climstat::app
