// The message texts, the options and search dialogs' texts, and the texts
// that exist in English only.
#include "base/TextTable.h"

namespace rn::texts {
namespace {

constexpr TextPair kDialogs[] = {
    // Messages
    {TextId::MsgChooseOption, L"Please choose an Option !", L"Escolha uma Opção primeiro !"},
    {TextId::MsgNoRenameTo, L"No  'Rename to..'  string", L"Sem valor  'Renomear para..' "},
    {TextId::MsgNotANumber, L" is not a number ..!  Starting from #001.", L" não é um numero ..!  Iniciando de #001."},
    {TextId::MsgNumberOfDigits, L"Number of digits (", L"Numero de dígitos ("},
    {TextId::MsgDigitsNotEnough, L") is not enough ..!  Increasing to  ", L") não é suficiente ..!  Aumentando para  "},
    {TextId::MsgDigits, L" digits.", L" digitos."},
    {TextId::MsgDateFormatMustBe, L" is not a valid Date ..!  Format must be ",
     L" não é formato de Data válido ..!  Formato deve ser "},
    {TextId::MsgValueTooLarge, L"Value larger than one of filename's length - reducing to maximum allowed",
     L"Valor superior ao comprimento de um dos nomes de arquivo - reduzindo para máximo permitido"},
    {TextId::MsgWrongTrimSize, L"Wrong size to trim - larger than one of filename's length - please check.",
     L"Valor a cortar errado - superior ao comprimento de um dos nomes de arquivo - verifique por favor."},
    {TextId::MsgDuplicateNames, L"You are creating some duplicated file names...",
     L"Está a criar nomes de arquivo duplicados..."},
    {TextId::MsgOverwrite, L"Do you really want to overwrite ", L"Quer mesmo substituir arq "},
    {TextId::MsgOldPathGone, L"Old ' Morvane  path ' does not exist any more.",
     L"Antigo ' Morvane  path ' já não existe."},
    {TextId::MsgRevertingPath, L"Reverting to default Application 'path'...",
     L"Revertendo para default Application 'path'..."},
    {TextId::MsgIllegalCharacters, L"Ilegal characters: ", L"Caracteres ilegais: "},
    {TextId::MsgZeroSizeName, L"Zero size names not allowed, so file", L"Nome nulo não permitido, o arq."},
    {TextId::MsgItemsNotRenamed, L"Items not renamed:  ", L"Items não renomeados:  "},
    {TextId::MsgNotFound, L"Not found, deleted or in use by another program",
     L"Não existem, apagados ou em uso por outro programa."},
    {TextId::MsgDateBefore1980, L"Date must be posterior to 1st Jan 1980", L"Date tem de ser posterior a 1 Jan 1980"},
    {TextId::MsgNameTooLong, L"File name length is limited by Windows itself, you know, so file",
     L"Comprimento do nome é limitado pelo próprio Windows, como sabe, por isso o arq."},
    {TextId::MsgKeepsName, L"will keep it's name as it was.", L"irá manter o nome tal como estava."},
    {TextId::MsgOptionsTooLong, L"The options choosen will give a file name length",
     L"As opções escolhidas criarão nomes de arq."},
    {TextId::MsgWindowsLimit, L"larger than Windows limit of 255 chars.",
     L"maiores que o limite Windows de 255 chars."},
    {TextId::MsgPrefixOrSuffix, L"Either a 'prefix' or a 'sufix' is needed.",
     L"Pelo menos um 'prefixo' ou um 'sufixo' é necessário"},
    {TextId::MsgFilterListToo, L"Do you want to filter also all files alredy in list bellow?",
     L"Deseja filtrar também os ficheiros já na lista abaixo?"},
    {TextId::MsgTimeFormatMustBe, L" is not a valid Time ..!  Format must be ",
     L" não é formato de Hora válido ..!  Formato deve ser "},
    {TextId::MsgScriptEmpty, L"Nothing to save, script is empty..", L"Nada a salvar, o script está vazio.."},
    {TextId::MsgErrorRenaming, L"Error renaming file :", L"Erro ao renomear arquivo :"},
    {TextId::MsgScriptName, L"Enter a name for this script", L"Escolha nome para este script"},
    // Options dialog
    {TextId::OptionLabel1, L"Choose language", L"Escolha idioma"},
    {TextId::OptionCheckBox1, L"Save window's position", L"Lembrar posição da janela"},
    {TextId::OptionCheckBox2, L"Save window's size", L"Lembrar tamanho da janela"},
    {TextId::OptionCheckBox3, L"Stay on top", L"Janela de topo"},
    {TextId::OptionCheckBox4, L"Remember last used selections", L"Lembrar últimas seleções"},
    {TextId::OptionCheckBox5, L"Hide main top menu", L"Não mostrar menu principal"},
    {TextId::OptionCheckBox6, L"Hide selections panel", L"Esconde painel de seleções"},
    {TextId::OptionCheckBox7, L"Show file information panel", L"Mostrar painel de informação"},
    {TextId::OptionCheckBox9, L"Show 'hints' for renaming options", L"Mostrar 'hints' nas seleções"},
    {TextId::OptionLabel2, L"Use                                  to rename w/ Dates",
     L"Usar                                 pª renomear c/ Datas"},
    {TextId::OptionDateKind1, L"Modified date", L"Modified date"},
    {TextId::OptionDateKind2, L"Creation date", L"Creation date"},
    {TextId::OptionCheckBox1Hint, L" Remembers window's position between uses ",
     L" Gravar posição da janela entre utilizações "},
    {TextId::OptionCheckBox2Hint, L" Remembers window's size between uses ",
     L" Gravar tamanho da janela entre utilizações "},
    {TextId::OptionCheckBox3Hint, L" Window stay on top ", L" Janela de topo "},
    {TextId::OptionCheckBox4Hint, L" Remember last used renaming selections ",
     L" Lembrar última selecção de 'rename' "},
    {TextId::OptionCheckBox5Hint, L" Hide program's main top menu ", L" Esconder o menu principal da aplicação "},
    {TextId::OptionCheckBox6Hint, L" Hide panel with all renaming selections ",
     L" Esconde painel central com todas as seleções "},
    {TextId::OptionCheckBox7Hint, L" Keep file info panel always open ",
     L" Manter painel com infos de ficheiro aberto "},
    {TextId::OptionCheckBox9Hint, L" Show 'hints' for renaming options ",
     L" Mostrar 'hints' nas seleções de 'rename' "},
    {TextId::OptionLabel2Hint, L" Date/time type to use for renaming/moding files ",
     L" Tipe de data/hora a usar para renomear arquivos "},
    // Search dialog
    {TextId::SearchLabel1, L"> Search path ...", L"> Procurar em ..."},
    {TextId::SearchButton2, L"Go find ...", L"Procurar ..."},
    {TextId::SearchButton3, L"Cancel", L"Cancelar"},
    {TextId::SearchCheckBox1, L"Recursive search", L"Busca recursiva"},
    {TextId::SearchCaption, L"  Search for files ...", L"  Procurar ficheiros ..."},
    {TextId::SearchComboBox1Hint, L" file types to load in morvane ...", L" tipo de arquivo a carregar ..."},
    {TextId::SearchButton1Hint, L" Folder tree.. ", L" Directórios.. "},
};
static_assert(CoversRun(kDialogs, kFirstDialogText, kFirstEnglishOnly));

// Line breaks inside message texts are a single CR; the folder prompt alone
// puts LF LF between its paragraphs.
constexpr TextPair kEnglishOnly[] = {
    {TextId::MenuRenamers, L"Rename(rs)", {}},
    {TextId::MenuSoftwareNews, L"Software &news ...", {}},
    {TextId::MenuCheckVersions, L"Check new versions *", {}},
    {TextId::MsgNotValidInteger, L"'%s' is not a valid integer value", {}},
    {TextId::MsgNotValidDate, L"'%s' is not a valid date", {}},
    {TextId::MsgNotValidBoolean, L"'%s' is not a valid boolean value", {}},
    {TextId::FolderPromptTitle, L" Add Directory names or Files ?", {}},
    {TextId::FolderPromptText,
     L"This is a directory name !  Want to add it to list ?\n\nIf you press 'Files', all files (of type selected) "
     L"inside folder\rwill be added to this list, instead of folder name.\n\nIf you press 'All Files', all files will "
     L"be added recursively\rfrom this folder down.",
     {}},
    {TextId::FolderPromptFolder, L"Folder", {}},
    {TextId::FolderPromptFiles, L"Files", {}},
    {TextId::FolderPromptAllFiles, L"All* Files", {}},
    {TextId::FolderPromptCancel, L"Cancel", {}},
    {TextId::FolderPromptAllFolders, L"All Folders", {}},
    {TextId::MsgAddContextMenu,
     L"This will add a new Windows Explorer context menu item to\rfiles and folders, accessed by right clicking, "
     L"enabling several\rfiles to be selected and sent directly to Morvane",
     {}},
    {TextId::MsgRemoveContextMenu,
     L"This will remove 'Morvane' from Windows Explorer's context menu.\rYou can create it back again when needed...",
     {}},
    {TextId::MsgNoSendToFolder, L"No 'Send To' directory in your Windows OS !!?", {}},
    {TextId::MsgSendToLinkFailed, L"Could not create link in 'Send To' directory !", {}},
    {TextId::AboutFeedback,
     L"If you like this program, do email me with feedback, ideas, suggestions or questions to",
     {}},
    {TextId::AboutMailSubject, L"from 'Morvane' freeware...", {}},
    {TextId::AboutDonateLine, L"You can also help the development, by _______ a few $$", {}},
    {TextId::AboutDonateLink, L"donating ", {}},
    {TextId::FirstCaption, L" Welcome !", {}},
    {TextId::FirstText1,
     L"This is free software and has no cost whatsoever. You can use this software as you wish, anywere and anyway you "
     L"so wish. Of course, doing so you do it at your own risk.",
     {}},
    {TextId::FirstText2,
     L"If you want to help with development costs or show your appreciation for using this free software, then press "
     L"on the 'donate' button bellow and send a few $$ - as few as you wish.",
     {}},
    {TextId::FirstDonatedLink, L"I've already donated, so  don't show again ", {}},
    {TextId::FirstDonatedLinkHint, L"click here to disable...", {}},
    {TextId::MsgReallyDonated,
     L"    Have you really ?   :)         Thank you !\r    You are truly helping keep this freeware free !",
     {}},
    {TextId::FirstRemindLater, L"remind me later ...", {}},
    {TextId::FirstNoThanks, L"no, thanks", {}},
    {TextId::FirstDonate, L"keep freeware free (donate) !", {}},
    {TextId::MsgDownloadError, L"Error downloading file ", {}},
    {TextId::MsgForVersionCheck, L" for version check.", {}},
    {TextId::MsgCheckConnection, L"Please check your internet connection and/or firewall..", {}},
    {TextId::MsgNewVersion,
     L"There is a *new* version of this freeware available !\r\rPlease go to our freeware web page and download "
     L"it,\rand replace the existing one by the new version.",
     {}},
    {TextId::MsgLatestVersion,
     L"You have the most recent version of this freeware..\rBut keep checking, as this is updated regularly!",
     {}},
    {TextId::MsgHelpNotFound, L"Help file not found", {}},
};
static_assert(CoversRun(kEnglishOnly, kFirstEnglishOnly, TextId::Count));

}  // namespace

std::span<const TextPair> DialogTexts() { return kDialogs; }
std::span<const TextPair> EnglishOnlyTexts() { return kEnglishOnly; }

}  // namespace rn::texts
