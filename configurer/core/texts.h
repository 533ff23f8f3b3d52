#pragma once
// Every text the configurer shows, as it is stored: each passes through
// expand_text (or substitute_placeholders) right before it is shown, so
// "%chr_nl%", "%chr_tab%", "%chr_quote%" and "%app%" stand for a line feed, a
// tab, a double quotation mark and the application title.
#include <string_view>

namespace vl::texts {

using Text = std::u16string_view;

// Message titles.
inline constexpr Text kErrorTitle = u"Ошибка";
inline constexpr Text kAttentionTitle = u"Внимание";
inline constexpr Text kSuccessTitle = u"Успешно";

// Start-up and closing.
inline constexpr Text kAnotherCopyRunning = u"Другая копия программы уже работает.";
inline constexpr Text kWelcomeTitle = u"Первое использование Velnor SAPI";
inline constexpr Text kWelcomeText =
    u"Мы, создатели синтезатора Velnor, очень рады, что вы выбрали именно его.%chr_nl%"
    u"Эту работу мы посвящаем светлой памяти человека, который её начал. Мы продолжаем его дело и даём "
    u"синтезатору Velnor новую жизнь: теперь Velnor предлагается как синтезатор, совместимый с SAPI5.%chr_nl%"
    u"Вы только что установили Velnor SAPI. Теперь необходимо его сконфигурировать. Сейчас будут применены "
    u"настройки по умолчанию. Вы можете изменить их на свой вкус в следующем окне.";
inline constexpr Text kUnappliedChangesQuestion =
    u"Вы внесли изменения в конфигурацию, однако не применили ее. Если просто так покинуть приложение "
    u"конфигурации, вы потеряете все сделанные изменения. Применить конфигурацию, прежде чем закрыть "
    u"конфигуратор?";
inline constexpr Text kNoDocumentation = u"Не нахожу документации по ожидаемому пути.";

// The main window.
inline constexpr Text kMainWindowTitle = u"Настройки Velnor SAPI";
inline constexpr Text kGeneralFrame = u"Основные настройки";
inline constexpr Text kDocumentationButton = u"Документация";
inline constexpr Text kApplyButton = u"Применить";
// The language whose lists the pronunciation frame shows, by kLanguages order.
inline constexpr Text kLanguageLabel = u"Язык:";
inline constexpr Text kLanguageItems[] = {u"Русский", u"Украинский"};
inline constexpr Text kLanguageTooltip =
    u"Язык голосов, чьи произношения и пользовательский словарь показаны ниже. У каждого языка свои списки; "
    u"основные настройки общие для всех голосов.";
inline constexpr Text kPronunciationsFrame = u"Произношения";
inline constexpr Text kAddButton = u"Добавить";
inline constexpr Text kEditButton = u"Редактировать";
inline constexpr Text kDeleteButton = u"Удалить";
inline constexpr Text kMenuAdd = u"Доб&авить...";
inline constexpr Text kMenuEdit = u"Р&едактировать...";
inline constexpr Text kMenuDelete = u"У&далить...";

// The general settings page, in the order of its controls.
inline constexpr Text kSampleRateLabel = u"Частота дискретизации:";
inline constexpr Text kSampleRateTooltip =
    u"Значение можно задать от 10000 до 11025 герц. Чем выше дискретизация, тем выше скорость синтезатора для "
    u"восприятия.";
inline constexpr Text kFixedPausesCheckBox = u"Использовать заданные паузы";
inline constexpr Text kFixedPausesTooltip =
    u"При снятой галочке, Velnor будет подбирать паузы между знаками препинания, а также при разделении "
    u"больших фрагментов текста в зависимости от скорости. При установленной же галочке, паузы можно "
    u"регулировать самому от 0 до 100.";
inline constexpr Text kPauseLabel = u"Паузы между словами и фрагментами:";
inline constexpr Text kIntonationLabel = u"Интонация:";
inline constexpr Text kIntonationTooltip =
    u"Можно задать интенсивность интонации синтезатора: 0 - монотонно, 100 - очень выразительно.";
inline constexpr Text kDictionaryLabel = u"Словарь:";
inline constexpr Text kDictionaryTooltip =
    u"Позволяет включить словари правильного произношения и ударений для слов. Можно включить только "
    u"системный, включить системный и пользовательский, или же вообще отключить все словари.";
// The items of the dictionary list, by the value of use_dictionary.
inline constexpr Text kDictionaryItems[] = {u"Выключен", u"Только встроенный", u"Встроенный и пользовательский",
                                            u"Только пользовательский"};
inline constexpr Text kSilenceAtBeginLabel = u"Пауза в начале:";
inline constexpr Text kSilenceAtBeginTooltip =
    u"Позволяет задать паузу непосредственно перед началом синтеза. Полезно, если приложение допускает "
    u"ошибки и первые буквы съедаются.";
inline constexpr Text kSilenceAtEndLabel = u"Пауза в конце:";
inline constexpr Text kSilenceAtEndTooltip =
    u"Позволяет задать паузу непосредственно в конце синтеза. Полезно, если приложение допускает ошибки и "
    u"последние буквы съедаются.";
inline constexpr Text kDisableDecimalCheckBox = u"Запретить использовать десятичный разделитель";
inline constexpr Text kDisableDecimalTooltip =
    u"По умолчанию, если в части строки с числами стоит точка или запятая, Velnor старается произносить "
    u"число в десятичной формулировке. Данная опция исключает такое произношение полностью.";

// The pronunciation lists: tab titles by ListKind, column titles.
inline constexpr Text kTabTitles[] = {u"Латиница", u"Кириллица", u"Латинские сочетания", u"Символы",
                                      u"Словарь"};
inline constexpr Text kLetterColumn = u"Буква";
inline constexpr Text kPronounceAsColumn = u"Произносить как";
inline constexpr Text kReadAsColumn = u"Читать как";
inline constexpr Text kSymbolColumn = u"Символ";
inline constexpr Text kWhenColumn = u"Когда";
inline constexpr Text kSourceColumn = u"Исходное";
// The symbol's "when" code: 0 and 1.
inline constexpr Text kWhenSpelling = u"При посимвольном чтении";
inline constexpr Text kWhenAlways = u"Всегда";
inline constexpr Text kDeleteTitle = u"Удалить произношение ";
inline constexpr Text kDeleteQuestion = u"Вы действительно желаете удалить произношение %chr_quote%%entry%%chr_quote%?";

// The entry dialog.
inline constexpr Text kLetterLabel = u"Буква:";
inline constexpr Text kCombinationLabel = u"Сочетание:";
inline constexpr Text kWordLabel = u"Слово:";
inline constexpr Text kReadAsLabel = u"Читать как:";
inline constexpr Text kPronounceAsLabel = u"Произносить как:";
inline constexpr Text kSourceTooltip =
    u"Введите здесь значение, которое нужно исправить. Например, %chr_quote%j%chr_quote%. Вводить нужно в "
    u"нижнем регистре. Не используйте символов пунктуации.";
inline constexpr Text kReplacementTooltip =
    u"Введите здесь значение, на которое нужно исправить. Например, %chr_quote%дже+й%chr_quote%. Вводить нужно "
    u"в нижнем регистре. Не используйте символов пунктуации. Чтобы поставить ударение, используйте знак "
    u"%chr_quote%+%chr_quote% (плюс) после ударной гласной.";
inline constexpr Text kSaveButton = u"Сохранить";
inline constexpr Text kCancelButton = u"Отмена";
// Titles of the add variant by ListKind (none for Symbols, which has its own dialog).
inline constexpr Text kAddEntryTitles[] = {
    u"Добавление произношения латиницы", u"Добавление произношения кириллицы",
    u"Добавление произношения латинских сочетаний", u"", u"Добавление произношения пользовательского словаря"};
inline constexpr Text kEditEntryTitle = u"Редактирование произношения %chr_quote%%letter%%chr_quote%";

// The symbol dialog.
inline constexpr Text kSymbolLabel = u"Символ:";
inline constexpr Text kSymbolTooltip =
    u"Введите здесь символ, которому нужно назначить правильное чтение. Например, %chr_quote%%%chr_quote%.";
inline constexpr Text kSymbolReplacementTooltip =
    u"Введите здесь как нужно произносить символ. Например, %chr_quote%проце+нт%chr_quote%. Вводить нужно в "
    u"нижнем регистре. Не используйте символов пунктуации. Чтобы поставить ударение, используйте знак "
    u"%chr_quote%+%chr_quote% (плюс) после ударной гласной.";
inline constexpr Text kWhenLabel = u"Когда:";
inline constexpr Text kAddSymbolTitle = u"Добавление произношения символа";
inline constexpr Text kEditSymbolTitle = u"Редактирование произношения символа %chr_quote%%letter%%chr_quote%";

// Checks of the dialogs.
inline constexpr Text kInvalidCharLabel = u"Недопустимый символ: %chr_quote%%char%%chr_quote%";
inline constexpr Text kInvalidCharShortLabel = u"Недопустимый символ!";
inline constexpr Text kSourceMissing = u"Не задано исходное значение произношения.";
inline constexpr Text kReplacementMissing = u"Не задана замена произношения.";
inline constexpr Text kInvalidSource =
    u"В поле для задания что именно произносить присутствует один или несколько недопустимых символов. Для "
    u"начала, удалите хотя бы %char%.";
inline constexpr Text kInvalidReplacement =
    u"В поле для задания как именно нужно произносить присутствует один или несколько недопустимых символов. "
    u"Для начала, удалите хотя бы %char%.";
inline constexpr Text kDuplicateEntry = u"Такое произношение уже задано.";

// Applying the configuration.
inline constexpr Text kSettingsWriteFailed =
    u"Не получилось применить новую конфигурацию...%chr_nl%Ошибка записи в файл.";
inline constexpr Text kDictionaryWriteFailed = u"Не получилось записать словарь.%chr_nl%Ошибка записи в файл.";
inline constexpr Text kSharedFilesBusy =
    u"Не получилось применить новую конфигурацию...%chr_nl%Файлы настроек заняты синтезатором. Попробуйте ещё раз.";
inline constexpr Text kApplied = u"Новые конфигурации применены!";

}  // namespace vl::texts
