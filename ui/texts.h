// The texts of the system, exactly as they stand in its windows, messages and
// files: captions, messages, file names and number formats, in Japanese where
// the user reads them. They are gathered here, by library and by the header
// that uses them, so that every text can be read and checked in one place.
#pragma once

#include <array>

namespace tarvik::model {

// model/folder_lock.h
inline constexpr const char* kLockFileName = "TARVIK.LCK";
inline constexpr const char* kMsgFolderBusy = "作業フォルダは別の処理が使用中です";

// model/maintenance.h
// Table names used in capacity messages.
inline constexpr const char* kNodeTable = "節点";
inline constexpr const char* kBeamTable = "部材";
inline constexpr const char* kSizeTable = "断面";
inline constexpr const char* kMatTable = "材料";
inline constexpr const char* kFixTable = "拘束節点";
inline constexpr const char* kLoadTable = "荷重節点";
// Refusal of a member whose width or thickness is not a positive number:
// member number (1-based), its end codes, width and thickness.
inline constexpr const char* kMsgBadSection =
    "部材 %d (%s - %s) の巾・厚みに誤りがあります (巾 %g 厚み %g)。正の値にしてください";

// model/spy.h
inline constexpr const char* kSpyFileName = "SPY.TXT";

}  // namespace tarvik::model

namespace tarvik::render {

// render/hidden_line.h
inline constexpr const char* kMsgVectOpen01 = "Error: Unable to open VECT_FILE01";
inline constexpr const char* kMsgTempOpen01 = "Error: Unable to open TEMP_FILE01";
inline constexpr const char* kMsgViewOpen01 = "Error: Unable to open VIEW_FILE01";
inline constexpr const char* kMsgNoMemory = "Can not get memory for lpTrio";
inline constexpr const char* kMsgReadError = "Read Error in lpTrio";

// render/projection.h
inline constexpr const char* kTrioOpenErrorTegaki = "Error: Unable to open TRIO_FILE tegaki01";
inline constexpr const char* kTrioOpenErrorJikuire = "Error: Unable to open TRIO_FILE jikuire 01";
inline constexpr const char* kTrioOpenErrorGenerator = "Error: Unable to open TRIO_FILE";

// render/solid.h
// Messages, as the user sees them.
inline constexpr const char* kMsgTrioCreate = "Error: Unable to open TRIO_FILE 01";
inline constexpr const char* kMsgTrioOpen02 = "Error: Unable to open TRIO_FILE 02";
inline constexpr const char* kMsgTrioBoxesTegaki = "Error: Unable to open TRIO_FILE tegaki 02";
inline constexpr const char* kMsgTrioBoxesJikuire = "Error: Unable to open TRIO_FILE jikuire 02";
inline constexpr const char* kMsgTrioBoxesGenerator = "Error: Unable to open TRIO_FILE";
inline constexpr const char* kMsgTrioWrite = "Error: Unable to write TRIO_FILE";
inline constexpr const char* kMsgViewCreate = "Error: Unable to open VIEW_FILE03";
inline constexpr const char* kMsgVectCreate = "Error: Unable to open VECT_FILE03";
inline constexpr const char* kMsgViewWrite = "Error: Unable to write VIEW_FILE";
inline constexpr const char* kMsgVectWrite = "Error: Unable to write VECT_FILE";
inline constexpr const char* kMsgViewOpen13 = "Error: Unable to open VIEW_FILE13";
inline constexpr const char* kMsgViewOpen12 = "Error: Unable to open VIEW_FILE12";
inline constexpr const char* kMsgViewOpen11 = "Error: Unable to open VIEW_FILE11";
inline constexpr const char* kMsgTempCreate07 = "Error: Unable to open TEMP_FILE07";
inline constexpr const char* kMsgTempWrite = "Error: Unable to write TEMP_FILE";
inline constexpr const char* kMsgInitTempFailed = "init_temp() Failed";
inline constexpr const char* kMsgTempOpen20 = "Error: Unable to open TEMP_FILE20";
inline constexpr const char* kMsgTempRead20 = "Error: Unable to read TEMP_FILE20";
// A view file record that cannot be drawn: the file, the record (counted from
// 1; 0 for the header of "TEMP.DAT") and the coordinate limit.
inline constexpr const char* kMsgBadRecord =
    "%s の %lld 番目のレコードに描けない数値 (NaN、無限大、または絶対値が %.0e を超える座標) "
    "があるため、このファイルを読み込みません";

// render/symbol_font.h
inline constexpr const char* kSymbolCodName = "symbol.cod";

// render/trio_file.h
inline constexpr const char* kTrioFileName = "TRIO.DAT";
inline constexpr const char* kViewFileName = "VIEW.DAT";
inline constexpr const char* kVectFileName = "VECT.DAT";
inline constexpr const char* kTempFileName = "TEMP.DAT";

// render/vertex_table.h
inline constexpr const char* kChoutenTable = "頂点";

}  // namespace tarvik::render

namespace tarvik::files {

// files/dxf_color_form.h
inline constexpr const char* kDxfColorCaption = "DXFの線の太さ";
inline constexpr const char* kDxfColorGroup = "太さと色選択";
inline constexpr std::array<const char*, 6> kDxfColorItems = {
    "1 dot シアン", "2 dot　黒 (Default)", "3 dot　緑 ",
    "4 dot　黄 ",   "5 dot　マゼンタ",     "6 dot　青",
};

// files/dxf_file.h
inline constexpr const char* kMsgDxfTempOpen = "Error: Unable to open TEMP_FILE";
inline constexpr const char* kMsgDxfOpen = "Error: Unable to open DXF_FILE";
inline constexpr const char* kMsgDxfWrite = "Error: Unable to write DXF_FILE";
inline constexpr const char* kMsgDxfTempShort =
    "Error: TEMP_FILE is broken: shorter than its 32-byte header";
inline constexpr const char* kMsgDxfTempPartial =
    "Error: TEMP_FILE is broken: its length is not the header and whole 16-byte line records";
inline constexpr const char* kMsgDxfTempValue =
    "Error: TEMP_FILE is broken: a coordinate is not a finite number or too large to scale";

// files/export_commands.h
inline constexpr const char* kDxfFilter = "DXFファイル(*.DXF)|*.dxf";
inline constexpr const char* kDxfExt = "dxf";
inline constexpr const char* kDxfDone = "DXFファイルを作製しました";
// The hand-drawn editor and the axis data window say it in full-width letters.
inline constexpr const char* kDxfDoneWide = "ＤＸＦファイルを作製しました";
inline constexpr const char* kFaceFilter = "ビューアデータ(*.dat)|*.dat";
inline constexpr const char* kFaceExt = "dat";
inline constexpr const char* kFaceDone = "ビューアデータを保存しました";
inline constexpr const char* kFaceFailed = "ビューアデータの保存に失敗しました";

// files/face_file.h
inline constexpr const char* kFaceOutOpenError = "Error: Unable to open OUT_FILE";
inline constexpr const char* kFaceOutWriteError = "Error: Unable to write OUT_FILE";
inline constexpr const char* kFaceTrioOpenError = "Error: Unable to open TRIO_FILE 04";
inline constexpr const char* kFaceTrioReadError = "Error: Unable to read TRIO_FILE 04";

// files/honegra.h
inline constexpr const char* kGraOpenError = "Error: Unable to open GraFile";
inline constexpr const char* kGraWriteError = "Error: Unable to write GraFile";

// files/honegumi.h
inline constexpr const char* kVeltoInputName = "VELTOSOL.IN";
inline constexpr const char* kBonOpenError = "Error: Unable to open BonFile";
inline constexpr const char* kBonWriteError = "Error: Unable to write BonFile";

// files/jiku_file.h
inline constexpr const char* kJikuDone = "軸ファイルを作製しました";
inline constexpr const char* kJikuOpenError = "Error: Unable to open JIKU_FILE";
inline constexpr const char* kJikuWriteError = "Error: Unable to write JIKU_FILE";
inline constexpr const char* kJikuSaveFilter = "軸データ (*.JIK)|*.jik";  // condition search

// files/tegaki.h
inline constexpr const char* kTegakiOpenError = "Can't open TEGAKI_FILE";
inline constexpr const char* kTegakiWriteError = "Can't write TEGAKI_FILE";

}  // namespace tarvik::files

namespace tarvik::views {

// views/display_modes.h
inline constexpr const char* kMsgUnableSaveView = "Unable save_view";
inline constexpr const char* kMsgUnableMakePers = "Unable make_pers";

// views/isome_form.h
inline constexpr const char* kIsomeCaption = "アイソメ";
inline constexpr const char* kTauCaption = "Tau";
inline constexpr const char* kFaiCaption = "Fai";
inline constexpr const char* kSelRadioCaption = "図面";
inline constexpr const char* kIsomeCloseCaption = "Close";

// views/label_thinning.h
inline constexpr const char* kLabelsThinned = "ラベルが重なるため一部省略（拡大すると表示）";

// views/view_form.h
inline constexpr const char* kViewCaption = "視点";
inline constexpr const char* kViewOKCaption = "OK";
inline constexpr const char* kViewCancelCaption = "Cancel";
inline constexpr const char* kViewDefaultCaption = "Default";
inline constexpr const char* kViewPersCaption = "Pers";

// views/qt/zoom_pan.h
inline constexpr const char* kFitCaption = "全体表示";
// Object name of the widget a window draws in: tool windows open beside it.
inline constexpr const char* kDrawingName = "drawing";

}  // namespace tarvik::views

namespace tarvik::editing {

// editing/beam_dialogs.h
inline constexpr const char* kBadHaba = "巾の値に誤りがあります";
inline constexpr const char* kBadAtumi = "厚みの値に誤りがあります";
inline constexpr const char* kBadYoung = "ヤング率の値に誤りがあります";
inline constexpr const char* kBadPoisson = "ポワソン比の値に誤りがあります";
inline constexpr const char* kBadMitudo = "質量密度の値に誤りがあります";
inline constexpr const char* kNoBeamRows = "部材がありません";
inline constexpr const char* kNoSizeRows = "形状データがありません";
inline constexpr const char* kNoMatRows = "物性データがありません";

// editing/beam_form.h
inline constexpr const char* kAllSectionsCaption = "全データ同一巾・厚みにする";

// editing/field_dialog.h
// Number formats of the editing windows. A dialog field leads with a space;
// a grid cell does not.
inline constexpr const char* kFieldNo = " %5d";       // record numbers
inline constexpr const char* kFieldLen = " %8.1f";    // lengths and angles
inline constexpr const char* kFieldSci = " %10.3e";   // moduli, densities
inline constexpr const char* kFieldRatio = " %8.3f";  // Poisson's ratio
inline constexpr const char* kCellNo = "%5d";
inline constexpr const char* kCellLen = "%8.1f";
inline constexpr const char* kCellSci = "%10.3e";
inline constexpr const char* kCellRatio = "%8.3f";
inline constexpr const char* kCellCount = "%d";  // row counts

// editing/ident_form.h
inline constexpr const char* kIdentCaption = "条件検索";
inline constexpr const char* kLevelButtonCaption = "検";    // LevelSpeedButton
inline constexpr const char* kIdentSaveCaption = "Save";    // OkButton
inline constexpr const char* kIdentCloseCaption = "Close";  // Button1
inline constexpr std::array<const char*, 3> kShiftCaptions{"原点移動X", "原点移動Y", "原点移動Z"};
inline constexpr const char* kShiftFormat = " %8.1f";

// editing/jiku_form.h
inline constexpr const char* kJikuCaption = "軸データ入力";
inline constexpr const char* kJikuireFailed = "get_jiku failed at jikuire()";

// editing/ken_node.h
inline constexpr const char* kAskKousoku = "青丸を固定節点にしますか?";
inline constexpr const char* kAskKajyu = "青丸を荷重節点にしますか?";

// editing/ken_node_form.h
inline constexpr const char* kKenNodeCaption = "節点検索";
inline constexpr const char* kYesNoCaption = "確認";

// editing/node_dialogs.h
// Why an add, change or remove cannot go ahead.
inline constexpr const char* kNoNodeRows = "節点がありません";
inline constexpr const char* kSelectNodeRow = "節点を選択してください";
inline constexpr const char* kNoFixRows = "固定節点がありません";
inline constexpr const char* kSelectFixRow = "固定節点を選択してください";
inline constexpr const char* kNoLoadRows = "荷重節点がありません";
inline constexpr const char* kSelectLoadRow = "荷重節点を選択してください";
inline constexpr const char* kFixDeleteMessage = "この固定節点を削除します";
inline constexpr const char* kFixChangeMessage = "この固定節点を編集します";
inline constexpr const char* kDouCaption = "同";
inline constexpr const char* kDouLabel = "全ての荷重値をこの値に設定する";
inline constexpr const char* kDelLoadMessage = "この節点の荷重を中止";

// editing/sel_beam_form.h
inline constexpr const char* kSelBeamCaption = "部材データ";

// editing/sel_node_form.h
inline constexpr const char* kSelNodeCaption = "節点選択";
inline constexpr const char* kBadIdCode = "IDコードが間違っています";
inline constexpr const char* kSearchFailed = "検索に失敗しました";

// editing/tegaki_form.h
inline constexpr const char* kTegakiCaption = "手書データ";
inline constexpr const char* kTegakiOpenFilter = "手書データ(*.man)|*.man";
inline constexpr const char* kTegakiSaveFilter = "手書きデータ保存(*.man)|*.man";
inline constexpr const char* kTegakiExt = "man";
inline constexpr const char* kMsgNoBeamCrossed = "該当する部材が見つからない";
inline constexpr const char* kMsgNoNodeNear = "節点が見つかりません";
inline constexpr const char* kMsgTrioFailedTegaki = "get_jiku() failed at tegaki()";
inline constexpr const char* kAskSaveTegaki = "このデータを保存する\nこのデータを保存しない";
// A member whose end lands on its own start node would have no length.
inline constexpr const char* kMsgSameNode =
    "終点が始点と同じ節点です。部材の終点は別の位置をクリックしてください";
// Told by the main window when the editor is left with members whose data
// are not complete.
inline constexpr const char* kMsgTegakiUnfinished =
    "節点座標または部材断面が未入力の部材があります。「手書入力編集」で続けてください";

}  // namespace tarvik::editing

namespace tarvik::generator {

// generator/basic_data.h
// Validation messages of the basic-data window.
inline constexpr const char* kMsgHashiraHeight1 = "柱高さを入力してください 01";
inline constexpr const char* kMsgHashiraHeight2 = "柱高さを入力してください 02";
inline constexpr const char* kMsgHashiraHeight3 = "柱高さを入力してください 03";
inline constexpr const char* kMsgNoColumns = "柱なしが指定されている";
inline constexpr const char* kMsgNoTopShape = "屋根形状が指定されていない";
// Captions of the basic-data fields, used in messages about them.
inline constexpr const char* kCapXtuka = "X束数";
inline constexpr const char* kCapYtuka = "Y束数";
inline constexpr const char* kCapTukaHaba = "束巾";
inline constexpr const char* kCapTukaTakasa = "束高";
inline constexpr const char* kCapHashira = "柱材巾";
inline constexpr const char* kCapWaku = "枠材巾";
inline constexpr const char* kCapGen = "弦材巾";
inline constexpr const char* kCapSha = "斜材巾";
inline constexpr const char* kCapSuji = "筋交巾";
inline constexpr const char* kCapLowest = "最低レベル";
inline constexpr std::array<const char*, 3> kCapHashiraHeight{"１層柱高", "２層柱高", "３層柱高"};
inline constexpr const char* kMsgTooLarge =
    "建物の寸法が大きすぎます。束数・束巾・束高・柱高・最低レベル・屋根の値を見直してください";

// generator/generator.h
inline constexpr const char* kMsgLevelSearch = "レベル検索に失敗した";
inline constexpr const char* kMsgSortFailed = "ソートができません";
inline constexpr const char* kOutNoRoofOn3 = "３層屋根付は含まれません";

// generator/jiku_data.h
inline constexpr const char* kYousekiFile = "Youseki.dat";
// Messages, as the user sees them. The first word's two forms differ in one
// blank: a word longer than kMaxFirstWord gets the one with two blanks.
inline constexpr const char* kMsgJikuCantOpen = "Can't open %s";
inline constexpr const char* kMsgFirstWordLong = "最初の文字は '1' or '2'  or '3' or '999'";
inline constexpr const char* kMsgFirstWord = "最初の文字は '1' or '2' or '3' or '999'";
inline constexpr const char* kMsgYousekiOpen = "Can't open Youseki.dat";
inline constexpr const char* kMsgYousekiWrite = "Can't write Youseki.dat";
// Refusals of a line that cannot be read: file name, line number (from 1).
inline constexpr const char* kMsgJikuLineLong = "%s の %d 行目が %d 文字を超えるため読み込めません";
inline constexpr const char* kMsgJikuBadNumber =
    "%s の %d 行目に数値でない値または NaN・無限大があるため読み込めません";
inline constexpr const char* kMsgJikuShortLine =
    "%s の %d 行目の数値が足りないため読み込めません (%d 個必要)";
inline constexpr const char* kMsgJikuBadUnitCount =
    "%s の %d 行目のユニット数が負のため読み込めません";
// A file with more distinct member heights than the tally holds.
inline constexpr const char* kMsgTakasaFull =
    "%s の %d 行目: 高さ区分の数が上限 %d を超えるため容積を集計できません";

// generator/kihon_form.h
inline constexpr const char* kKihonCaption = "基本データ";
inline constexpr const char* kKihonUnitNote = "単位 cm";
inline constexpr const char* kCheckButtonCaption = "調";
inline constexpr const char* kCheckLabelCaption = "チェック";
inline constexpr const char* kCapYaneTakasa = "屋根高さ";
inline constexpr const char* kCapYaneHashira = "屋根柱高";
inline constexpr const char* kCapTakasa = "高さ";
inline constexpr const char* kSumiGroupCaption = "柱有無";
inline constexpr std::array<const char*, 3> kSumiItems{"柱なし", "タイプⅠ", "タイプⅡ"};
inline constexpr const char* kSouGroupCaption = "階層";
inline constexpr std::array<const char*, 3> kSouItems{"１層", "２層", "３層"};
inline constexpr const char* kYaneGroupCaption = "屋上形状";
inline constexpr std::array<const char*, 3> kYaneItems{"屋根庇無し", "屋根付", "庇付"};

// generator/kihon_unit_form.h
inline constexpr const char* kUnitCaptionEnd = "基本ユニット";

// generator/yane_form.h
inline constexpr const char* kYaneCaption = "屋根データ入力";

}  // namespace tarvik::generator

namespace tarvik::analysis {

// analysis/analysis_run.h
inline constexpr const char* kMsgNoProcess = "Could not create process";
inline constexpr const char* kMsgFinished = "解析計算を終了しまし %7.2f sec";
inline constexpr const char* kMsgInputFailed =
    "解析データVELTOSOL.INを書き込めないため、解析計算を行いません";
inline constexpr const char* kMsgUnstable =
    "構造が不安定です (INSTABILITY ERROR 方程式 %d)。\n"
    "支点の拘束または部材のつながりが足りません。この解析結果は意味を持ちません";
inline constexpr const char* kMsgNearZero =
    "剛性がほぼ0の自由度が %d 個あります (断面のない部材、または拘束の足りない節点)。\n"
    "この解析結果は意味を持ちません";
inline constexpr const char* kOutFilter = "解析結果保存(*.out)|*.out";
inline constexpr const char* kOutExt = "out";
inline constexpr const char* kMsgOutOpen = "Error: Unable to open OutFile";
inline constexpr const char* kMsgLstFileOpen = "Error: Unable to open LST_FILE";
inline constexpr const char* kMsgDspFileOpen = "Error: Unable to open DSP_FILE";
inline constexpr const char* kMsgWriteError = "Write Error";
inline constexpr const char* kMsgSaved = "解析結果を保存しました";

// analysis/result_draw.h
// The unit of the forces of the result tables: the loads are entered in kgf.
inline constexpr const char* kForceUnit = "kgf";

// analysis/result_lists.h
inline constexpr const char* kKekkaCaption = "計算結果計算結果";
inline constexpr const char* kStressCaption = "ストレス";
inline constexpr const char* kSakujyoCaption = "特定項削除";
inline constexpr const char* kSakujyoText = "この項目を削除します";
inline constexpr const char* kSakujyoButtonHint = "指定したデータを削除";
inline constexpr const char* kKensakuCaption = "ID検索";
inline constexpr const char* kFindCaption = "検索結果";
inline constexpr const char* kMsgNoData = "保存するデータが存在しない";
inline constexpr const char* kMsgWriteFailed = "書きこみに失敗しました";
inline constexpr const char* kMsgIdNotFound = "該当するIDが見つかりません";
inline constexpr const char* kMsgOnlySearched = "検索結果のみの表示です";
inline constexpr const char* kKekkaSaveFilter = "計算結果 (*.*)|*.*";

// analysis/result_tables.h
// Names of the result files as the solver writes them.
inline constexpr const char* kLevelFileName = "VELTOSOL.ZLV";
inline constexpr const char* kListFileName = "VELTOSOL.LST";
inline constexpr const char* kDispFileName = "VELTOSOL.DSP";
inline constexpr const char* kOutFileName = "VELTOSOL.OUT";
inline constexpr const char* kStaFileName = "VELTOSOL.STA";
inline constexpr const char* kMsgZlvOpen = "ファイルveltosol.zlvをオ－プンできません";
inline constexpr const char* kMsgZlvRead = "ファイルveltosol.zlvの読み込みに失敗しました";
inline constexpr const char* kMsgLstOpen = "ファイルveltosol.lstをオ－プンできません";
inline constexpr const char* kMsgLstRead = "ファイルveltosol.lstの読み込みに失敗しました";
inline constexpr const char* kMsgDspOpen = "ファイルveltosol.dspをオ－プンできません";
inline constexpr const char* kMsgDspRead = "ファイルveltosol.dspの読み込みに失敗しました";
inline constexpr const char* kMsgDispOverflow = "節点 %s の変位が大きすぎて扱えません";
inline constexpr const char* kMsgMixedSet =
    "ファイルveltosol.zlv、veltosol.lst、veltosol.dspは同じ解析の結果ではありません。"
    "構造解析をやり直してください";
inline constexpr const char* kMsgNodeI = "節点Iが見つかりません";
inline constexpr const char* kMsgNodeJ = "節点Jが見つかりません";
inline constexpr const char* kMsgMemberSearch = "部材の検索に失敗しました";
// Table names of the capacity messages.
inline constexpr const char* kSetutenTable = "結果節点";
inline constexpr const char* kStressTable = "部材応力";
inline constexpr const char* kDispTable = "節点変位";
inline constexpr const char* kLevelTable = "グリッドレベル";

// analysis/solver_run.h
inline constexpr const char* kSolverProgram = "veltosol";
inline constexpr const char* kSolverInput = "VELTOSOL.IN";

// analysis/stress_diagram.h
inline constexpr const char* kShowStressCaption = "ストレス";
inline constexpr const char* kShuCaption = "種別";
inline constexpr const char* kZumenCaption = "図面";
inline constexpr const char* kScaleCaption = "スケール";

// analysis/velto_form.h
inline constexpr const char* kVeltoCaption = "計算結果表示";
inline constexpr const char* kMsgSolidFailed = "視点座標表示に失敗しました";
inline constexpr const char* kMsgHiddenDone = "陰線処理を終了しまし %7.2f sec";

}  // namespace tarvik::analysis

namespace tarvik::app {

// app/main_flow.h
inline constexpr const char* kSpyOpenError = "Error: Unable to open file";

// app/new_form.h
inline constexpr const char* kNoNodeFound = "節点が見つかりません";
inline constexpr const char* kVeltoSaveFailed = "｢VeltoKaiデータ保存に失敗しました";
inline constexpr const char* kHoneSaveFailed =
    "｢パソコンで解く骨組の静的・動的・塑弾性解析」データ保存に失敗しました";
inline constexpr const char* kJikuReadFailed = "軸データ読みこみに失敗しました";
inline constexpr const char* kNotYetAvailable = "この機能はまだ使えません";
inline constexpr const char* kAskSaveModel = "モデルが変更されています。保存しますか？";
inline constexpr const char* kManReadFailed = "モデルの読みこみに失敗しました";
inline constexpr const char* kManReadShort =
    "モデルのファイルが途中で終わっているか、数値でない値があります。読めたところまでを使います";
inline constexpr const char* kManSaveFailed = "モデルの保存に失敗しました";
inline constexpr const char* kVeltoFilter = "Velto入力データ(*.bon)|*.bon";
inline constexpr const char* kHoneFilter = "骨グラ保存(*.ydu)|*.ydu";
inline constexpr const char* kJikuFilter = "軸データ(*.JIK)|*.jik";

}  // namespace tarvik::app
