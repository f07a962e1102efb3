// Every text the program shows in its two languages, English and
// Portuguese, keyed by the name of the control, menu item or message that
// shows it. The tables are complete by construction: a text missing from
// them does not build.
#pragma once
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace rn {

enum class Language { English, Portuguese };

// The `Language` setting names a table only when it reads exactly "English"
// or "Portuguese" (letter case included). Any other value applies no table:
// the controls keep the texts they show. The texts the program reads from the
// tables while it runs (message boxes, selector values, slot labels, the add
// button) must never come up blank, so they stay in the language last
// applied, which is kStartLanguage until a setting names one.
std::optional<Language> LanguageFromSetting(const std::wstring& setting);
inline constexpr Language kStartLanguage = Language::English;

enum class TextId : int {
  // Operation panel: radio captions by OperationId, then their hints, the
  // "every word" box, the slot labels (`Label3`) and the selector values.
  RadioButton1,
  RadioButton2,
  RadioButton3,
  RadioButton4,
  RadioButton5,
  RadioButton6,
  RadioButton7,
  RadioButton9,
  RadioButton10,
  RadioButton11,
  RadioButton12,
  RadioButton15,
  RadioButton16,
  RadioButton17,
  RadioButton18,
  RadioButton19,
  RadioButton1Hint,
  RadioButton2Hint,
  RadioButton3Hint,
  RadioButton4Hint,
  RadioButton5Hint,
  RadioButton6Hint,
  RadioButton7Hint,
  RadioButton9Hint,
  RadioButton10Hint,
  RadioButton11Hint,
  RadioButton12Hint,
  RadioButton15Hint,
  RadioButton16Hint,
  RadioButton17Hint,
  RadioButton18Hint,
  RadioButton19Hint,
  CheckBox5,
  SlotRenameTo,
  SlotChangeTo,
  SlotBaseDigit,
  SlotDots,
  SlotFormatDate,
  SlotConvertFrom,
  SlotRemoveIt,
  ValueDate,
  ValueTime,
  ValueBoth,
  ValueUpper,
  ValueLower,
  ValueNumberNameExt,
  ValueNameNumberExt,
  ValueNumberExtension,

  // Main window: captions, hints and the file information labels. The add
  // button has one caption for an empty list and one for a list with entries.
  Label2,
  Button1Add,
  Button1More,
  Button2,
  Button3,
  Button4,
  Button5,
  Button10,
  Button9,
  Button12,
  Button11,
  Button6,
  Button15,
  Button14,
  Button8,
  Button7,
  Button13,
  Panel3,
  OpenDialogTitle,
  ScrollBar1Hint,
  Panel1Hint,
  SpeedButton3Hint,
  SpeedButton2Hint,
  SpeedButton4Hint,
  SpeedButton1Hint,
  SpeedButton5Hint,
  ComboBox1Hint,
  SpeedButton7Hint,
  Label_1_info,
  Label_2_info,
  Label_3_info,
  Label_4_info,
  Label_5_info,
  Label_6_info,
  Label_7_info,

  // Pop-up menus of the list, the settings, the edit boxes and the info panel.
  PopRemoveFile1,
  PopAddFiles1,
  PopClearList1,
  PopGetFileDate1,
  PopGetFileAttr1,
  PopSortFiles1,
  PopSortbyName1,
  PopSortbyDate1,
  PopSortbyType1,
  PopCheckFiles1,
  PopUnCheckFiles1,
  PopSelectAll1,
  PopStayonTop2,
  PopSendToExt2,
  PopExplorerContMenu2,
  PopOptions2,
  PopHelp2,
  PopDonate2,
  PopLikeProgram2,
  PopAbout2,
  PopFileInfo2,
  PopHideMenu2,
  PopPreview2,  // the new names' column, shown or not (also in the main menu)
  PopCut3,
  PopCopy3,
  PopPaste3,
  PopDelete3,
  PopSelectAll3,
  PopCharPosit1,
  PopFileInfo5,
  PopCopy5,

  // Main menu items with texts of their own (the others copy a pop-up item).
  MenuTools,
  MenuCreateScript,
  MenuRenameforCD,
  MenuHelp,
  MenuMorvanesHelp,
  MenuFiles,
  MenuAddFiles,
  MenuSearchFiles,
  MenuRemovefiles,
  MenuRenamefiles,
  MenuUndolastrenames,
  MenuClearlistoffiles,
  MenuExit,
  MenuHideMenu,
  // Spoken names of controls whose captions do not say what they do (screen
  // readers read these): the radio buttons, the arrow boxes and the boxes
  // without a label of their own, the symbol buttons, the grid.
  RadioButton1Name,
  RadioButton2Name,
  RadioButton3Name,
  RadioButton4Name,
  RadioButton5Name,
  RadioButton6Name,
  RadioButton7Name,
  RadioButton9Name,
  RadioButton10Name,
  RadioButton11Name,
  RadioButton12Name,
  RadioButton15Name,
  RadioButton16Name,
  RadioButton17Name,
  RadioButton18Name,
  RadioButton19Name,
  Spin3Name,
  Spin4Name,
  Spin5Name,
  Spin10Name,
  Spin11Name,
  Edit5Name,
  Edit6Name,
  Edit7Name,
  Edit8Name,
  Edit4aName,
  EditDateName,
  EditTimeName,
  EditCreatName,
  ComboBoxCreat1Name,
  ComboBoxCreat2Name,
  CheckBox1Name,
  CheckBox2Name,
  CheckBox3Name,
  CheckBox4Name,
  SpeedButton1Name,
  SpeedButton2Name,
  SpeedButton3Name,
  SpeedButton4Name,
  SpeedButton5Name,
  Panel1Name,
  ScrollBar1Name,
  ComboBox4Name,
  StringGrid1Name,

  // Message texts other parts of the program show, alone or joined with text.
  MsgChooseOption,
  MsgNoRenameTo,
  MsgNotANumber,
  MsgNumberOfDigits,
  MsgDigitsNotEnough,
  MsgDigits,
  MsgDateFormatMustBe,
  MsgValueTooLarge,
  MsgWrongTrimSize,
  MsgDuplicateNames,
  MsgOverwrite,
  MsgOldPathGone,
  MsgRevertingPath,
  MsgIllegalCharacters,
  MsgZeroSizeName,
  MsgItemsNotRenamed,
  MsgNotFound,
  MsgDateBefore1980,
  MsgNameTooLong,
  MsgKeepsName,
  MsgOptionsTooLong,
  MsgWindowsLimit,
  MsgPrefixOrSuffix,
  MsgFilterListToo,
  MsgTimeFormatMustBe,
  MsgScriptEmpty,
  MsgErrorRenaming,
  MsgScriptName,
  // Messages of the program's own, with both texts: undo's report of the
  // names that could not go back.
  MsgItemsNotRestored,
  MsgNotRestoredReason,
  // The undo journal at start-up: the offer to take back unfinished renames,
  // its summary, and a journal that cannot be read (and where it was kept).
  MsgJournalOffer,
  MsgJournalTakenBack,
  MsgJournalLeftAlone,
  MsgJournalUnreadable,
  MsgJournalKeptAs,
  // The new names' column: why a row is marked (tooltips) and the counts.
  PreviewUnchanged,
  PreviewTakenByFile,
  PreviewTakenByRow,
  PreviewTakenByFolder,
  PreviewIllegalName,
  PreviewFolderRenamedFirst,
  PreviewWillChange,
  PreviewCollide,
  PreviewRefused,
  PreviewMissing,
  PreviewCounting,
  // A script line refuses a text holding "|" (naming the box that holds it)
  // and a line longer than the settings file keeps.
  MsgBarInScriptLine,
  MsgScriptLineTooLong,
  ScriptBoxRenameTo,
  ScriptBoxStartNumber,
  ScriptBoxDate,
  ScriptBoxDateFormat,
  ScriptBoxReplace,
  ScriptBoxTime,
  ScriptBoxPrefix,
  ScriptBoxCounter,
  ScriptBoxSuffix,

  // Options dialog (`TFormOption`).
  OptionLabel1,
  OptionCheckBox1,
  OptionCheckBox2,
  OptionCheckBox3,
  OptionCheckBox4,
  OptionCheckBox5,
  OptionCheckBox6,
  OptionCheckBox7,
  OptionCheckBox9,
  OptionLabel2,
  OptionDateKind1,
  OptionDateKind2,
  OptionCheckBox1Hint,
  OptionCheckBox2Hint,
  OptionCheckBox3Hint,
  OptionCheckBox4Hint,
  OptionCheckBox5Hint,
  OptionCheckBox6Hint,
  OptionCheckBox7Hint,
  OptionCheckBox9Hint,
  OptionLabel2Hint,

  // Search dialog (`TFormSearch`).
  SearchLabel1,
  SearchButton2,
  SearchButton3,
  SearchCheckBox1,
  SearchCaption,
  SearchComboBox1Hint,
  SearchButton1Hint,

  // English only: the same text in both languages. The "Rename(rs)" menu
  // title and two help menu entries, the fixed message boxes, the folder
  // prompt, the options dialog's caption and buttons, the About box and the
  // welcome box (`TFormFirst`).
  MenuRenamers,
  MenuSoftwareNews,
  MenuCheckVersions,
  MsgNotValidInteger,
  MsgNotValidDate,
  MsgNotValidBoolean,
  FolderPromptTitle,
  FolderPromptText,
  FolderPromptFolder,
  FolderPromptFiles,
  FolderPromptAllFiles,
  FolderPromptCancel,
  FolderPromptAllFolders,
  MsgAddContextMenu,
  MsgRemoveContextMenu,
  MsgNoSendToFolder,
  MsgSendToLinkFailed,
  OptionCaption,
  OptionOk,
  OptionCancel,
  AboutFeedback,
  AboutMailSubject,
  AboutDonateLine,
  AboutDonateLink,
  FirstCaption,
  FirstText1,
  FirstText2,
  FirstDonatedLink,
  FirstDonatedLinkHint,
  MsgReallyDonated,
  FirstRemindLater,
  FirstNoThanks,
  FirstDonate,
  MsgDownloadError,
  MsgForVersionCheck,
  MsgCheckConnection,
  MsgNewVersion,
  MsgLatestVersion,
  MsgVersionFileUnreadable,
  MsgHelpNotFound,
  // Symbol captions of small buttons and boxes, and the check mark.
  SpeedButton1,
  SpeedButton2,
  SpeedButton3,
  SpeedButton4,
  SpeedButton5,
  CloseButton,
  CheckMark,
  CheckBox1,
  CheckBox2,
  CheckBox3,
  CheckBox4,
  CheckBox1Hint,
  CheckBox2Hint,
  CheckBox3Hint,
  CheckBox4Hint,
  ComboBoxCreat1Hint,
  EditCreatHint,
  ComboBoxCreat2Hint,
  // The buttons of the program's message and input boxes.
  ButtonOk,
  ButtonCancel,
  ButtonYes,
  ButtonNo,
  ButtonYesToAll,
  // Fixed texts of boxes and dialogs.
  CollisionCaption,
  OpenDialogFilter,
  SearchBrowseTitle,
  CdNameCaption,
  CdNamePrompt,
  MsgNotEnoughParameters,
  MsgPairError,
  MsgUnexpectedError,
  MsgSystemError,
  MsgScriptOutOfStep,
  Count
};

// The text in that language; an English-only text is the same in both.
std::wstring_view Text(TextId id, Language language);

// The language the running program speaks: the last one applied, and
// kStartLanguage before any.
Language ShownLanguage();
void SetShownLanguage(Language language);
// The text in the language the program speaks, ready to be joined with more.
std::wstring Text(TextId id);
// The text with each "%s" replaced by the next value, in order.
std::wstring Text(TextId id, std::initializer_list<std::wstring> values);
bool EnglishOnly(TextId id);

// The radio caption and hint of an operation; empty for an id without a
// radio button (8, 13, 14 and anything outside 1 … 19).
std::wstring_view OperationCaption(int operation, Language language);
std::wstring_view OperationHint(int operation, Language language);
// Slot labels 1 … 7 and the selector values 1 … 8 (1-3 date parts, 4-5 case,
// 6-8 numbering styles); empty outside those ranges.
std::wstring_view SlotLabelText(int label, Language language);
std::wstring_view ValueNameText(int index, Language language);

}  // namespace rn
