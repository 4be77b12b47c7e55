<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>AboutDialog</name>
    <message>
        <source>To the testers</source>
        <translation>Тестировщикам</translation>
    </message>
    <message>
        <source>for their patience and detailed</source>
        <translation>за терпение и подробные</translation>
    </message>
    <message>
        <source>bug reports</source>
        <translation>отчёты об ошибках</translation>
    </message>
    <message>
        <source>To the data makers</source>
        <translation>Составителям данных</translation>
    </message>
    <message>
        <source>for the lists of melodies,</source>
        <translation>за списки мелодий,</translation>
    </message>
    <message>
        <source>games and pictures</source>
        <translation>игр и картинок</translation>
    </message>
    <message>
        <source>of many firmwares</source>
        <translation>разных прошивок</translation>
    </message>
    <message>
        <source>To the translators</source>
        <translation>Переводчикам</translation>
    </message>
    <message>
        <source>for the English captions</source>
        <translation>за английские подписи</translation>
    </message>
    <message>
        <source>To all users</source>
        <translation>Всем пользователям</translation>
    </message>
    <message>
        <source>for ideas and wishes</source>
        <translation>за идеи и пожелания</translation>
    </message>
    <message>
        <source>Tarvex
version </source>
        <translation>Tarvex
версия </translation>
    </message>
    <message>
        <source>Program: Ulvane</source>
        <translation>Программа: Ulvane</translation>
    </message>
    <message>
        <source>Firmware data: the project&apos;s contributors</source>
        <translation>Данные прошивок: участники проекта</translation>
    </message>
</context>
<context>
    <name>BackgroundWork</name>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>Cancelling...</source>
        <translation>Отменяется...</translation>
    </message>
</context>
<context>
    <name>CheckMenu</name>
    <message>
        <source>&amp;Check data set...</source>
        <translation>&amp;Проверить набор данных...</translation>
    </message>
    <message>
        <source>&amp;Verify patch...</source>
        <translation>Проверить па&amp;тч...</translation>
    </message>
    <message>
        <source>&amp;Add firmware...</source>
        <translation>&amp;Добавить прошивку...</translation>
    </message>
    <message>
        <source>Data set check</source>
        <translation>Проверка набора данных</translation>
    </message>
    <message>
        <source>Firmware: %1</source>
        <translation>Прошивка: %1</translation>
    </message>
    <message>
        <source>Patch verification</source>
        <translation>Проверка патча</translation>
    </message>
    <message>
        <source>The firmware&apos;s folder or its Data folder</source>
        <translation>Папка прошивки или её папка Data</translation>
    </message>
    <message>
        <source>The folder %1 holds no firmware data set: choose a firmware folder with a Data folder, or the Data folder itself (with Memory.ini and the .lst lists in it).</source>
        <translation>В папке %1 нет набора данных прошивки: выберите папку прошивки с папкой Data или саму папку Data (в ней Memory.ini и списки .lst).</translation>
    </message>
    <message>
        <source>Adding a firmware</source>
        <translation>Добавление прошивки</translation>
    </message>
    <message>
        <source>Firmware %1 was not added: its data set has errors.</source>
        <translation>Прошивка %1 не добавлена: в наборе данных есть ошибки.</translation>
    </message>
    <message>
        <source>Not copied (only plain files are added, not links):
%1</source>
        <translation>Не скопированы (добавляются только обычные файлы, не ссылки):
%1</translation>
    </message>
    <message>
        <source>Firmware %1 was added. Switch to it now?</source>
        <translation>Прошивка %1 добавлена. Перейти на неё сейчас?</translation>
    </message>
    <message>
        <source>Firmware name (its folder will be named so):</source>
        <translation>Имя прошивки (так будет названа её папка):</translation>
    </message>
    <message>
        <source>&quot;%1&quot; will not do as a firmware name: it must be a folder name without / and \ that does not start with a dot.</source>
        <translation>&quot;%1&quot; не годится как имя прошивки: нужно имя папки без знаков / и \, не начинающееся с точки.</translation>
    </message>
    <message>
        <source>Firmware %1 exists already. Enter another name.</source>
        <translation>Прошивка %1 уже есть. Введите другое имя.</translation>
    </message>
</context>
<context>
    <name>CustomPatchPage</name>
    <message>
        <source>&amp;Find...</source>
        <translation>&amp;Найти...</translation>
    </message>
    <message>
        <source>Find &amp;next</source>
        <translation>Найти &amp;далее</translation>
    </message>
    <message>
        <source>&amp;Go to line...</source>
        <translation>&amp;Перейти к строке...</translation>
    </message>
    <message>
        <source>Find:</source>
        <translation>Найти:</translation>
    </message>
    <message>
        <source>Text “%1” not found.</source>
        <translation>Текст «%1» не найден.</translation>
    </message>
    <message>
        <source>Go to line</source>
        <translation>Перейти к строке</translation>
    </message>
    <message>
        <source>Line number (1 to %1):</source>
        <translation>Номер строки (от 1 до %1):</translation>
    </message>
    <message>
        <source>Save the changes?</source>
        <translation>Сохранить изменения?</translation>
    </message>
    <message>
        <source>The patch on the page “Создать патч” changed since it was opened or saved. Without saving, the changes will be lost.</source>
        <translation>Патч на странице «Создать патч» изменён после открытия или сохранения. Без сохранения изменения будут потеряны.</translation>
    </message>
</context>
<context>
    <name>DonationDialog</name>
    <message>
        <source>For commercial use
contact the author by e-mail.</source>
        <translation>Для коммерческого использования
свяжитесь с автором по e-mail.</translation>
    </message>
</context>
<context>
    <name>DraftDialog</name>
    <message>
        <source>Create a data set from firmware</source>
        <translation>Создать набор данных из прошивки</translation>
    </message>
    <message>
        <source>Regions are the free stretches where patches will write new files (START-END, the end its last byte). The largest erased (FF) stretches of the firmware are proposed, but an erased stretch may also be the handset&apos;s own memory: a person must confirm every region before anything is written to the handset. A page without a region stays off.</source>
        <translation>Области - это свободные участки, куда патчи запишут новые файлы (НАЧАЛО-КОНЕЦ, конец - последний байт области). Предложены самые большие стёртые (FF) участки прошивки, но стёртый участок может оказаться и собственной памятью телефона: каждую область должен подтвердить человек, прежде чем что-либо записывать в телефон. Страница без области останется выключенной.</translation>
    </message>
    <message>
        <source>Data set name:</source>
        <translation>Имя набора данных:</translation>
    </message>
    <message>
        <source>Melody region:</source>
        <translation>Область мелодий:</translation>
    </message>
    <message>
        <source>Java game region:</source>
        <translation>Область Java-игр:</translation>
    </message>
    <message>
        <source>Picture region:</source>
        <translation>Область картинок:</translation>
    </message>
    <message>
        <source>Create</source>
        <translation>Создать</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>“%1” is not a region: two addresses START-END are needed, the end not below the start.</source>
        <translation>«%1» - не область: нужны два адреса НАЧАЛО-КОНЕЦ, конец не меньше начала.</translation>
    </message>
    <message>
        <source>Enter the data set&apos;s name.</source>
        <translation>Укажите имя набора данных.</translation>
    </message>
    <message>
        <source>Give at least one region: without one every page of the data set stays off.</source>
        <translation>Укажите хотя бы одну область: без неё все страницы набора данных останутся выключенными.</translation>
    </message>
    <message>
        <source>Data set from firmware</source>
        <translation>Набор данных из прошивки</translation>
    </message>
    <message>
        <source>Data set %1 was not created.</source>
        <translation>Набор данных %1 не создан.</translation>
    </message>
</context>
<context>
    <name>DroppedFile</name>
    <message>
        <source>Drop one file: only one can be taken at a time.</source>
        <translation>Перетащите один файл: за раз можно взять только один.</translation>
    </message>
    <message>
        <source>Drop a file from this computer&apos;s disk, not the link &quot;%1&quot;.</source>
        <translation>Перетащите файл с диска этого компьютера, а не ссылку &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is a folder. Drop a file.</source>
        <translation>&quot;%1&quot; — это папка. Перетащите файл.</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; was not found.</source>
        <translation>Файл &quot;%1&quot; не найден.</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; does not suit this slot: it takes only %2.</source>
        <translation>Файл &quot;%1&quot; не подходит для этого слота: он принимает только %2.</translation>
    </message>
</context>
<context>
    <name>FirmwareChoice</name>
    <message>
        <source>Firmware image</source>
        <translation>Образ прошивки</translation>
    </message>
    <message>
        <source>File %1 holds no S-records: it is read as a raw image. The address of its first byte (hexadecimal):</source>
        <translation>Файл %1 не содержит S-записей: он читается как образ без разметки. Адрес его первого байта (шестнадцатеричный):</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an address: give up to eight hexadecimal digits, such as 0x00100000.</source>
        <translation>&quot;%1&quot; — не адрес: укажите до восьми шестнадцатеричных цифр, например 0x00100000.</translation>
    </message>
</context>
<context>
    <name>FirmwareMapStrip</name>
    <message>
        <source>Mark a patch...</source>
        <translation>Отметить патч...</translation>
    </message>
</context>
<context>
    <name>FirmwareMenu</name>
    <message>
        <source>Motorola S3 format (*.s3);;Firmware image (*.bin)</source>
        <translation>Motorola S3 format (*.s3);;Образ прошивки (*.bin)</translation>
    </message>
    <message>
        <source>The firmware data set is not loaded: there is nothing to match against the firmware.</source>
        <translation>Набор данных прошивки не загружен: сверять с прошивкой нечего.</translation>
    </message>
    <message>
        <source>&amp;Match against firmware...</source>
        <translation>&amp;Сверить с прошивкой...</translation>
    </message>
    <message>
        <source>&amp;Extract firmware resources...</source>
        <translation>&amp;Извлечь ресурсы прошивки...</translation>
    </message>
    <message>
        <source>P&amp;ort the data set to another firmware...</source>
        <translation>П&amp;еренести набор на другую прошивку...</translation>
    </message>
    <message>
        <source>Appl&amp;y patches to firmware...</source>
        <translation>Приме&amp;нить патчи к прошивке...</translation>
    </message>
    <message>
        <source>&amp;Refresh previews from firmware...</source>
        <translation>&amp;Обновить превью из прошивки...</translation>
    </message>
    <message>
        <source>Firmware match</source>
        <translation>Сверка с прошивкой</translation>
    </message>
    <message>
        <source>The data set fits firmware %1.</source>
        <translation>Набор данных подходит к прошивке %1.</translation>
    </message>
    <message>
        <source>The data set does not fit firmware %1.</source>
        <translation>Набор данных не подходит к прошивке %1.</translation>
    </message>
    <message>
        <source>Resource extraction</source>
        <translation>Извлечение ресурсов</translation>
    </message>
    <message>
        <source>No resources extracted: the firmware does not hold the data set&apos;s resources where it places them.</source>
        <translation>Ресурсы не извлечены: прошивка не содержит ресурсов набора данных там, где он их указывает.</translation>
    </message>
    <message>
        <source>Folder for the firmware&apos;s resources</source>
        <translation>Папка для ресурсов прошивки</translation>
    </message>
    <message>
        <source>Data set port</source>
        <translation>Перенос набора данных</translation>
    </message>
    <message>
        <source>Data set %1 was created for firmware %2.</source>
        <translation>Создан набор данных %1 для прошивки %2.</translation>
    </message>
    <message>
        <source>Data set %1 was not created.</source>
        <translation>Набор данных %1 не создан.</translation>
    </message>
    <message>
        <source>Data set %1 was created. Switch to it now?</source>
        <translation>Набор данных %1 создан. Перейти на него сейчас?</translation>
    </message>
    <message>
        <source>Applying patches</source>
        <translation>Применение патчей</translation>
    </message>
    <message>
        <source>Patches not applied: file %1 was not written.</source>
        <translation>Патчи не применены: файл %1 не записан.</translation>
    </message>
    <message>
        <source>File %1 is one of the source firmwares or patches: choose another name for the result.</source>
        <translation>Файл %1 - одна из исходных прошивок или патчей: выберите для результата другое имя.</translation>
    </message>
    <message>
        <source>The firmware data is open read-only: previews are refreshed by the window that changes it.</source>
        <translation>Данные прошивки открыты только для чтения: превью обновляет окно, которое их изменяет.</translation>
    </message>
    <message>
        <source>Preview refresh</source>
        <translation>Обновление превью</translation>
    </message>
    <message>
        <source>Previews not refreshed: the firmware&apos;s pictures do not match the data set.</source>
        <translation>Превью не обновлены: картинки прошивки не совпадают с набором данных.</translation>
    </message>
    <message>
        <source>Previews refreshed: %1 in folder %2.</source>
        <translation>Превью обновлены: %1 в папке %2.</translation>
    </message>
    <message>
        <source>Applying patches to firmware %1...</source>
        <translation>Патчи применяются к прошивке %1...</translation>
    </message>
    <message>
        <source>Applying patches cancelled: file %1 was not written.</source>
        <translation>Применение патчей отменено: файл %1 не записан.</translation>
    </message>
    <message>
        <source>Making previews from firmware %1...</source>
        <translation>Превью создаются из прошивки %1...</translation>
    </message>
    <message>
        <source>Preview refresh cancelled: no preview was changed.</source>
        <translation>Обновление превью отменено: ни одно превью не изменено.</translation>
    </message>
    <message>
        <source>Make a re&amp;vert patch...</source>
        <translation>Создать патч от&amp;мены...</translation>
    </message>
    <message>
        <source>Revert patch</source>
        <translation>Патч отмены</translation>
    </message>
    <message>
        <source>Revert patch not made: file %1 was not written.</source>
        <translation>Патч отмены не создан: файл %1 не записан.</translation>
    </message>
    <message>
        <source>Revert patch %1 written: %2. Flashed after the patches, it puts back the firmware&apos;s own bytes.</source>
        <translation>Патч отмены %1 записан: %2. Прошитый после патчей, он возвращает прошивке её собственные байты.</translation>
    </message>
</context>
<context>
    <name>FirmwareOverviewDialog</name>
    <message>
        <source>none</source>
        <translation>нет</translation>
    </message>
    <message>
        <source> (%1 s)</source>
        <translation> (%1 с)</translation>
    </message>
    <message>
        <source>Firmware overview</source>
        <translation>Обзор прошивки</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Адрес</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>Вид</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Размер</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Название</translation>
    </message>
    <message>
        <source>Table entries</source>
        <translation>Записи таблиц</translation>
    </message>
    <message>
        <source>Melodies</source>
        <translation>Мелодии</translation>
    </message>
    <message>
        <source>Games</source>
        <translation>Игры</translation>
    </message>
    <message>
        <source>Pictures</source>
        <translation>Картинки</translation>
    </message>
    <message>
        <source>%1
Resources found: %2, table entries: %3. Erased stretches: %4.</source>
        <translation>%1
Найдено ресурсов: %2, записей таблиц: %3. Стёртые участки: %4.</translation>
    </message>
    <message>
        <source>
The picture search stopped at %1: past it too many false picture starts, pictures from there are not shown.</source>
        <translation>
Поиск картинок остановлен на %1: дальше слишком много ложных начал картинки, картинки оттуда не показаны.</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Воспроизвести</translation>
    </message>
    <message>
        <source>Extract selected...</source>
        <translation>Извлечь выбранные...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Остановить</translation>
    </message>
    <message>
        <source>Folder for the selected resources</source>
        <translation>Папка для выбранных ресурсов</translation>
    </message>
</context>
<context>
    <name>FirmwareScanMenu</name>
    <message>
        <source>Scanning firmware %1...</source>
        <translation>Просматриваю прошивку %1...</translation>
    </message>
    <message>
        <source>Firmware overview</source>
        <translation>Обзор прошивки</translation>
    </message>
    <message>
        <source>Firmware (*.s3 *.srec *.mot *.bin);;All files (*)</source>
        <translation>Прошивка (*.s3 *.srec *.mot *.bin);;Все файлы (*)</translation>
    </message>
    <message>
        <source>Resources extracted: %1. Their list is in file %2.</source>
        <translation>Извлечено ресурсов: %1. Их список - в файле %2.</translation>
    </message>
    <message>
        <source>&amp;Firmware overview...</source>
        <translation>Об&amp;зор прошивки...</translation>
    </message>
    <message>
        <source>Create a &amp;data set from firmware...</source>
        <translation>Созд&amp;ать набор данных из прошивки...</translation>
    </message>
    <message>
        <source>Data set from firmware</source>
        <translation>Набор данных из прошивки</translation>
    </message>
    <message>
        <source>Data set %1 was created for firmware %2. Check its regions before writing patches to the handset.</source>
        <translation>Создан набор данных %1 для прошивки %2. Проверьте его области, прежде чем записывать патчи в телефон.</translation>
    </message>
</context>
<context>
    <name>JavaPage</name>
    <message>
        <source>The JAR&apos;s size differs from the one the JAD gives, and the phone will not start the game. Correct the working copy of the JAD (your file stays as it is)?

%1</source>
        <translation>Размер JAR не совпадает с указанным в JAD, и телефон не запустит игру. Исправить рабочую копию JAD (ваш файл останется прежним)?

%1</translation>
    </message>
</context>
<context>
    <name>ManagerPage</name>
    <message>
        <source>The firmware data are not loaded.</source>
        <translation>Данные прошивки не загружены.</translation>
    </message>
    <message>
        <source>The firmware data are open read-only.</source>
        <translation>Данные прошивки открыты только для чтения.</translation>
    </message>
    <message>
        <source>The slot list was not read whole: changes on this page are off.</source>
        <translation>Список слотов прочитан не полностью: изменения на этой странице отключены.</translation>
    </message>
    <message>
        <source>Select a slot in the list or drop the file on its row.</source>
        <translation>Выберите слот в списке или перетащите файл на его строку.</translation>
    </message>
    <message>
        <source>Drop a file.</source>
        <translation>Перетащите файл.</translation>
    </message>
</context>
<context>
    <name>MelodyPage</name>
    <message>
        <source>No melody player was found. Install the MIDI player timidity (sudo apt install timidity) or write the path of another into the setting %1 of the file %2, then restart the program.</source>
        <translation>Проигрыватель мелодий не найден. Установите проигрыватель MIDI timidity (sudo apt install timidity) или впишите путь к другому в параметр %1 файла %2, затем перезапустите программу.</translation>
    </message>
    <message>
        <source>Stop the melody</source>
        <translation>Остановить мелодию</translation>
    </message>
</context>
<context>
    <name>PageCommands</name>
    <message>
        <source>&amp;Standard resource of the slot</source>
        <translation>Стандартный &amp;ресурс слота</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Справка</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Закрыть</translation>
    </message>
    <message>
        <source>Help: </source>
        <translation>Справка: </translation>
    </message>
</context>
<context>
    <name>PatchEditor</name>
    <message>
        <source>Undo</source>
        <translation>Отменить</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Повторить</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>Вырезать</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Копировать</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Вставить</translation>
    </message>
    <message>
        <source>Select all</source>
        <translation>Выделить всё</translation>
    </message>
</context>
<context>
    <name>PicturePage</name>
    <message>
        <source>The preview shows the colours as the phone does (16 bits per pixel)</source>
        <translation>Предпросмотр показывает цвета, как на телефоне (16 бит на точку)</translation>
    </message>
    <message>
        <source>Fit the picture to its size</source>
        <translation>Подгонять размер картинки</translation>
    </message>
</context>
<context>
    <name>Report</name>
    <message>
        <source>draft needs --as ID</source>
        <translation>draft нужен --as ID</translation>
    </message>
    <message>
        <source>draft needs at least one of --melody-region, --java-region and --picture-region</source>
        <translation>draft нужна хотя бы одна из областей --melody-region, --java-region и --picture-region</translation>
    </message>
    <message>
        <source>The file %1 is empty: the slot keeps its choice</source>
        <translation>Файл %1 пуст: в слоте остаётся прежний выбор</translation>
    </message>
    <message>
        <source>Bitmap image is not valid</source>
        <translation>Изображение BMP неверно</translation>
    </message>
    <message>
        <source>%1 image is not valid</source>
        <translation>Изображение %1 неверно</translation>
    </message>
    <message>
        <source>The lock file %1 is %2, not a file: no Tarvex program made it, and no change can be made while it is there. Remove it (no program is using it) and try again</source>
        <translation>Файл блокировки %1 — %2, а не файл: его создала не программа Tarvex, и пока он там, ничего изменить нельзя. Удалите его (никакая программа им не пользуется) и повторите попытку</translation>
    </message>
    <message>
        <source>a folder</source>
        <translation>папка</translation>
    </message>
    <message>
        <source>a link</source>
        <translation>ссылка</translation>
    </message>
    <message>
        <source>a FIFO</source>
        <translation>канал FIFO</translation>
    </message>
    <message>
        <source>a device</source>
        <translation>устройство</translation>
    </message>
    <message>
        <source>The lock file %1 keeps changing</source>
        <translation>Файл блокировки %1 всё время меняется</translation>
    </message>
    <message>
        <source>another program (its lock file %1 does not name it)</source>
        <translation>другая программа (её файл блокировки %1 её не называет)</translation>
    </message>
    <message>
        <source>pid %1</source>
        <translation>PID %1</translation>
    </message>
    <message>
        <source>%1 (pid %2)</source>
        <translation>%1 (PID %2)</translation>
    </message>
    <message>
        <source>%1 (pid %2, %3)</source>
        <translation>%1 (PID %2, %3)</translation>
    </message>
    <message>
        <source>The data set %1 is in use by %2: it can be changed again once that has finished</source>
        <translation>Набор данных %1 сейчас использует %2: изменить его можно будет, когда эта работа закончится</translation>
    </message>
    <message>
        <source>The working folder %1 is a link or not a folder: nothing is written into it or deleted from it</source>
        <translation>Рабочая папка %1 является ссылкой или не является папкой: в неё ничего не записывается и из неё ничего не удаляется</translation>
    </message>
    <message>
        <source>The folder %1 is a link or not a folder: nothing is written into it</source>
        <translation>Папка %1 является ссылкой или не является папкой: в неё ничего не записывается</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2 (%3)</source>
        <translation>%1 не удаётся прочитать: %2 (%3)</translation>
    </message>
    <message>
        <source>Not a regular file</source>
        <translation>Не обычный файл</translation>
    </message>
    <message>
        <source>not an S-record: a record starts with &quot;S&quot; and its type digit</source>
        <translation>не S-запись: запись начинается с «S» и цифры её типа</translation>
    </message>
    <message>
        <source>record type S4 does not exist</source>
        <translation>типа записи S4 не существует</translation>
    </message>
    <message>
        <source>longer than any S-record (%1 characters)</source>
        <translation>длиннее любой S-записи (символов: %1)</translation>
    </message>
    <message>
        <source>character %1 is not a hexadecimal digit</source>
        <translation>символ %1 не шестнадцатеричная цифра</translation>
    </message>
    <message>
        <source>odd number of hexadecimal digits</source>
        <translation>нечётное число шестнадцатеричных цифр</translation>
    </message>
    <message>
        <source>no count byte</source>
        <translation>нет байта длины</translation>
    </message>
    <message>
        <source>count %1 does not match the %2 bytes after it</source>
        <translation>длина %1 не совпадает с числом байтов после неё (%2)</translation>
    </message>
    <message>
        <source>too short for its %1-byte address and checksum</source>
        <translation>слишком коротка для своего адреса (%1 байта) и контрольной суммы</translation>
    </message>
    <message>
        <source>checksum %1, expected %2</source>
        <translation>контрольная сумма %1, ожидалась %2</translation>
    </message>
    <message>
        <source>byte %1 of the picture is missing</source>
        <translation>нет байта %1 картинки</translation>
    </message>
    <message>
        <source>%1 at byte %2 is %3, not %4</source>
        <translation>%1 в байте %2 равен %3, а не %4</translation>
    </message>
    <message>
        <source>a picture of %1 x %2 pixels has no pixels</source>
        <translation>в картинке %1 x %2 точек нет ни одной точки</translation>
    </message>
    <message>
        <source>the format byte</source>
        <translation>байт формата</translation>
    </message>
    <message>
        <source>a palette of %1 colours (1 to 127 allowed)</source>
        <translation>в палитре цветов: %1 (допустимо от 1 до 127)</translation>
    </message>
    <message>
        <source>byte %1 (%2) starts no run record</source>
        <translation>байт %1 (%2) не начинает запись серии</translation>
    </message>
    <message>
        <source>palette index %1 at byte %2 past the %3 colours</source>
        <translation>номер цвета %1 в байте %2 за пределами палитры (цветов в ней: %3)</translation>
    </message>
    <message>
        <source>the runs cover %1 pixels, not %2</source>
        <translation>серии покрывают точек: %1, а не %2</translation>
    </message>
    <message>
        <source>the closing record</source>
        <translation>замыкающая запись</translation>
    </message>
    <message>
        <source>the pad byte</source>
        <translation>байт выравнивания</translation>
    </message>
    <message>
        <source>the width</source>
        <translation>байт ширины</translation>
    </message>
    <message>
        <source>the trailer</source>
        <translation>байт окончания</translation>
    </message>
    <message>
        <source>the height</source>
        <translation>байт высоты</translation>
    </message>
    <message>
        <source>melody table entry of slot %1</source>
        <translation>запись таблицы мелодий для слота %1</translation>
    </message>
    <message>
        <source>melody table entries</source>
        <translation>записи таблицы мелодий</translation>
    </message>
    <message>
        <source>melody volume byte of slot %1</source>
        <translation>байт громкости мелодии слота %1</translation>
    </message>
    <message>
        <source>melody volume bytes</source>
        <translation>байты громкости мелодий</translation>
    </message>
    <message>
        <source>Java table entry of slot %1</source>
        <translation>запись таблицы Java для слота %1</translation>
    </message>
    <message>
        <source>Java table entries</source>
        <translation>записи таблицы Java</translation>
    </message>
    <message>
        <source>picture table entry of slot %1</source>
        <translation>запись таблицы картинок для слота %1</translation>
    </message>
    <message>
        <source>picture table entries</source>
        <translation>записи таблицы картинок</translation>
    </message>
    <message>
        <source>melody region</source>
        <translation>область мелодий</translation>
    </message>
    <message>
        <source>Java region</source>
        <translation>область Java</translation>
    </message>
    <message>
        <source>picture region</source>
        <translation>область картинок</translation>
    </message>
    <message>
        <source>the Patch64K line</source>
        <translation>строка Patch64K</translation>
    </message>
    <message>
        <source>required patch %1</source>
        <translation>обязательный патч %1</translation>
    </message>
    <message>
        <source>missing: the %1 list</source>
        <translation>нет файла: список %1</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not %2 hexadecimal digits</source>
        <translation>«%1» не является %2 шестнадцатеричными цифрами</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a size in bytes (decimal, not negative)</source>
        <translation>«%1» не размер в байтах (десятичное число, не отрицательное)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a volume from 01 to 7F</source>
        <translation>«%1» не громкость от 01 до 7F</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a bare file name</source>
        <translation>«%1» не простое имя файла</translation>
    </message>
    <message>
        <source>[%1] %2 &quot;%3&quot; is not a valid integer</source>
        <translation>[%1] %2 «%3» не является допустимым целым числом</translation>
    </message>
    <message>
        <source>the %1 starts at %2, after its end %3</source>
        <translation>%1 начинается с %2, после своего конца %3</translation>
    </message>
    <message>
        <source>the %1 leaves %2 bytes after the string table</source>
        <translation>%1: после таблицы строк остаётся байтов: %2</translation>
    </message>
    <message>
        <source>the %1 overlaps the %2</source>
        <translation>%1 пересекается с другой областью: %2</translation>
    </message>
    <message>
        <source>a header record (S0): it is copied into every patch</source>
        <translation>запись заголовка (S0): она копируется в каждый патч</translation>
    </message>
    <message>
        <source>an S%1 record: it is copied into every patch, and a loader that stops at the first end record drops the rest</source>
        <translation>запись S%1: она копируется в каждый патч, а загрузчик, останавливающийся на первой завершающей записи, отбросит остальное</translation>
    </message>
    <message>
        <source>Patch64K: %1</source>
        <translation>Patch64K: %1</translation>
    </message>
    <message>
        <source>Patch64K is not a data record</source>
        <translation>Patch64K не запись данных</translation>
    </message>
    <message>
        <source>an empty line</source>
        <translation>пустая строка</translation>
    </message>
    <message>
        <source>cannot be read</source>
        <translation>не удаётся прочитать</translation>
    </message>
    <message>
        <source>cannot be read: %1</source>
        <translation>не удаётся прочитать: %1</translation>
    </message>
    <message>
        <source>the %1 at %2 lies inside the %3</source>
        <translation>%1 по адресу %2 лежит внутри: %3</translation>
    </message>
    <message>
        <source>an end record before the last line</source>
        <translation>завершающая запись перед последней строкой</translation>
    </message>
    <message>
        <source>a header record after the first line</source>
        <translation>запись заголовка после первой строки</translation>
    </message>
    <message>
        <source>counts %1 data records, %2 come before it</source>
        <translation>насчитывает записей данных: %1, а перед ней их %2</translation>
    </message>
    <message>
        <source>writes past the end of the 32-bit address space</source>
        <translation>пишет за концом 32-битного адресного пространства</translation>
    </message>
    <message>
        <source>writes no byte</source>
        <translation>не пишет ни одного байта</translation>
    </message>
    <message>
        <source>%1-%2 (%3 bytes) lie outside every region, table entry, volume byte and required patch</source>
        <translation>%1-%2 (байтов: %3) лежат вне всех областей, записей таблиц, байтов громкости и обязательных патчей</translation>
    </message>
    <message>
        <source>%1-%2: %3 bytes</source>
        <translation>%1-%2: байтов: %3</translation>
    </message>
    <message>
        <source>error</source>
        <translation>ошибка</translation>
    </message>
    <message>
        <source>warning</source>
        <translation>предупреждение</translation>
    </message>
    <message numerus="yes">
        <source>%n error</source>
        <translation>
            <numerusform>%n ошибка</numerusform>
            <numerusform>%n ошибки</numerusform>
            <numerusform>%n ошибок</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n errors</source>
        <translation>
            <numerusform>%n ошибка</numerusform>
            <numerusform>%n ошибки</numerusform>
            <numerusform>%n ошибок</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n warning</source>
        <translation>
            <numerusform>%n предупреждение</numerusform>
            <numerusform>%n предупреждения</numerusform>
            <numerusform>%n предупреждений</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n warnings</source>
        <translation>
            <numerusform>%n предупреждение</numerusform>
            <numerusform>%n предупреждения</numerusform>
            <numerusform>%n предупреждений</numerusform>
        </translation>
    </message>
    <message>
        <source>the working copy %1 is missing</source>
        <translation>нет рабочей копии %1</translation>
    </message>
    <message>
        <source>%1 bytes recorded, but %2 gives %3</source>
        <translation>записано байтов: %1, но %2 даёт %3</translation>
    </message>
    <message>
        <source>no preview of picture slot %1</source>
        <translation>нет образца картинки слота %1</translation>
    </message>
    <message>
        <source>the preview is %1 x %2 pixels, the slot takes %3 x %4</source>
        <translation>образец %1 x %2 точек, а слот принимает %3 x %4</translation>
    </message>
    <message>
        <source>the help text shows nothing</source>
        <translation>текст справки ничего не показывает</translation>
    </message>
    <message>
        <source>%1 bytes at %2 do not lie inside the %3</source>
        <translation>байты (%1) по адресу %2 лежат не внутри: %3</translation>
    </message>
    <message>
        <source>the patch writes only %1 of its %2 bytes at %3</source>
        <translation>патч пишет по адресу %3 лишь часть байтов: %1 из %2</translation>
    </message>
    <message>
        <source>the %1 x %2 picture at %3: %4</source>
        <translation>картинка %1 x %2 по адресу %3: %4</translation>
    </message>
    <message>
        <source>writes only %1 of the 8 bytes of the %2</source>
        <translation>пишет только %1 из 8 байтов: %2</translation>
    </message>
    <message>
        <source>the %1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1-%2 (%3 bytes) written again, first on line %4, with different values</source>
        <translation>%1-%2 (байтов: %3) записаны повторно, впервые в строке %4, с другими значениями</translation>
    </message>
    <message>
        <source>%1-%2 (%3 bytes) written again, first on line %4, with the same values</source>
        <translation>%1-%2 (байтов: %3) записаны повторно, впервые в строке %4, с теми же значениями</translation>
    </message>
    <message>
        <source>The firmware %1 is being imported by another process: %2</source>
        <translation>Прошивку %1 сейчас добавляет другой процесс: %2</translation>
    </message>
    <message>
        <source>%1 is being written by another process: %2</source>
        <translation>%1 сейчас записывает другой процесс: %2</translation>
    </message>
    <message>
        <source>it exists already</source>
        <translation>она уже существует</translation>
    </message>
    <message>
        <source>%1 lines, but %2</source>
        <translation>строк: %1, но %2</translation>
    </message>
    <message>
        <source>%1 has %2</source>
        <translation>в %1 их %2</translation>
    </message>
    <message>
        <source>the sizes add up past 2147483647 bytes here: the memory count stops with &quot;Integer overflow&quot;</source>
        <translation>здесь сумма размеров превышает 2147483647 байтов: подсчёт памяти остановится с ошибкой «Integer overflow»</translation>
    </message>
    <message>
        <source>the first %1 melody slots have a volume each</source>
        <translation>у первых слотов мелодий (%1) есть громкость</translation>
    </message>
    <message>
        <source>a line past the %1 slots of %2: a patch build walks every line of this list and stops here with &quot;List index out of bounds (%1)&quot;</source>
        <translation>строка за последним из слотов (%1) в %2: сборка патча проходит все строки этого списка и остановится здесь с ошибкой «List index out of bounds (%1)»</translation>
    </message>
    <message>
        <source>the size of [%1] overflows 32 bits: start-up stops with &quot;Integer overflow&quot;</source>
        <translation>размер [%1] не умещается в 32 бита: запуск остановится с ошибкой «Integer overflow»</translation>
    </message>
    <message>
        <source>%1 line %2</source>
        <translation>%1, строка %2</translation>
    </message>
    <message>
        <source>the %1 at %2 overlaps the %3 (%4)</source>
        <translation>%1 по адресу %2 пересекается с другим: %3 (%4)</translation>
    </message>
    <message>
        <source>this record</source>
        <translation>эта запись</translation>
    </message>
    <message>
        <source>%1 writes %2 inside the %3, where new files are placed</source>
        <translation>%1 пишет %2 внутри области, куда помещаются новые файлы: %3</translation>
    </message>
    <message>
        <source>%1 writes %2 over the %3 (%4), which every patch rewrites</source>
        <translation>%1 пишет %2 поверх того, что перезаписывает каждый патч: %3 (%4)</translation>
    </message>
    <message>
        <source>%1 writes %2 with other bytes than %3 (%4)</source>
        <translation>%1 пишет %2 другими байтами, чем %3 (%4)</translation>
    </message>
    <message>
        <source>the %1 at %2 runs past the end of the 32-bit address space</source>
        <translation>%1 по адресу %2 выходит за конец 32-битного адресного пространства</translation>
    </message>
    <message>
        <source>not a data set: expected a folder named &quot;Data&quot; holding the lists and Memory.ini, or a firmware folder holding one</source>
        <translation>не набор данных: ожидается папка «Data» со списками и Memory.ini или папка прошивки, в которой она есть</translation>
    </message>
    <message>
        <source>a link: not copied (only plain files are imported)</source>
        <translation>ссылка: не скопирована (добавляются только обычные файлы)</translation>
    </message>
    <message>
        <source>not a plain file: not copied</source>
        <translation>не обычный файл: не скопирован</translation>
    </message>
    <message>
        <source>in the copy, without what was not copied: %1</source>
        <translation>в копии, без нескопированного: %1</translation>
    </message>
    <message>
        <source>it holds no visible character</source>
        <translation>в нём нет ни одного видимого символа</translation>
    </message>
    <message>
        <source>it holds a control character</source>
        <translation>в нём есть управляющий символ</translation>
    </message>
    <message>
        <source>it is &quot;.&quot; or &quot;..&quot; or holds a path separator</source>
        <translation>это «.» или «..» или в нём есть разделитель пути</translation>
    </message>
    <message>
        <source>it holds a character code page 1251 cannot hold</source>
        <translation>в нём есть символ, которого нет в кодировке 1251</translation>
    </message>
    <message>
        <source>it begins with &quot;.&quot;</source>
        <translation>оно начинается с «.»</translation>
    </message>
    <message>
        <source>%1 is not a data set: expected a firmware folder holding a &quot;Data&quot; folder, or a &quot;Data&quot; folder itself</source>
        <translation>%1 не набор данных: ожидается папка прошивки с папкой «Data» или сама папка «Data»</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot name a firmware folder: %2</source>
        <translation>«%1» не может быть именем папки прошивки: %2</translation>
    </message>
    <message>
        <source>The firmware %1 exists already: %2</source>
        <translation>Прошивка %1 уже есть: %2</translation>
    </message>
    <message>
        <source>the picture is %1 x %2 pixels, the slot takes %3 x %4</source>
        <translation>картинка %1 x %2 точек, а слот принимает %3 x %4</translation>
    </message>
    <message>
        <source>the working copy %1 cannot be used: %2</source>
        <translation>рабочую копию %1 нельзя использовать: %2</translation>
    </message>
    <message>
        <source>the preview of picture slot %1 is not a whole JPEG picture the program can show (%2)</source>
        <translation>образец картинки слота %1 не целая картинка JPEG, которую программа может показать (%2)</translation>
    </message>
    <message>
        <source>[StringTable] Size %1 is negative: new files would be placed before the start of the %2</source>
        <translation>[StringTable] Size %1 отрицателен: новые файлы легли бы перед началом области: %2</translation>
    </message>
    <message>
        <source>the start of the %1 plus [StringTable] Size passes 32 bits: every build of its patch stops with &quot;Integer overflow&quot;</source>
        <translation>начало области (%1) плюс [StringTable] Size не умещается в 32 бита: каждая сборка её патча остановится с ошибкой «Integer overflow»</translation>
    </message>
    <message>
        <source>size 0 for %1: the patches keep the slot&apos;s standard resource</source>
        <translation>размер 0 у %1: патчи оставят слоту его стандартный ресурс</translation>
    </message>
    <message>
        <source>%1-%2 given again with different values</source>
        <translation>%1-%2 заданы повторно с другими значениями</translation>
    </message>
    <message>
        <source>%1 bytes from %2 run past the end of the 32-bit address space</source>
        <translation>байты от адреса %2 (%1) выходят за конец 32-битного адресного пространства</translation>
    </message>
    <message>
        <source>is not a regular file</source>
        <translation>не обычный файл</translation>
    </message>
    <message>
        <source>is not S-records; a raw image is read only when its name ends in .bin or --base ADDR gives its first address</source>
        <translation>не S-записи; образ без разметки читается, только когда его имя оканчивается на .bin или --base ADDR задаёт адрес его первого байта</translation>
    </message>
    <message>
        <source>does not exist</source>
        <translation>не существует</translation>
    </message>
    <message>
        <source>holds no firmware byte</source>
        <translation>не содержит ни одного байта прошивки</translation>
    </message>
    <message>
        <source> (and %1 more errors)</source>
        <translation> (и ещё ошибок: %1)</translation>
    </message>
    <message>
        <source>the melody of slot %1</source>
        <translation>мелодия слота %1</translation>
    </message>
    <message>
        <source>the standard melody of slot %1</source>
        <translation>стандартная мелодия слота %1</translation>
    </message>
    <message>
        <source>the melody table entry of slot %1</source>
        <translation>запись таблицы мелодий слота %1</translation>
    </message>
    <message numerus="yes">
        <source>melody entries match the firmware</source>
        <translation>
            <numerusform>записей таблицы мелодий совпадает с прошивкой</numerusform>
            <numerusform>записей таблицы мелодий совпадают с прошивкой</numerusform>
            <numerusform>записей таблицы мелодий совпадают с прошивкой</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>standard melodies lie whole in the firmware</source>
        <translation>
            <numerusform>стандартных мелодий целиком лежит в прошивке</numerusform>
            <numerusform>стандартных мелодий целиком лежат в прошивке</numerusform>
            <numerusform>стандартных мелодий целиком лежат в прошивке</numerusform>
        </translation>
    </message>
    <message>
        <source>the Java file of slot %1</source>
        <translation>файл Java слота %1</translation>
    </message>
    <message>
        <source>the standard Java file of slot %1</source>
        <translation>стандартный файл Java слота %1</translation>
    </message>
    <message>
        <source>the Java table entry of slot %1</source>
        <translation>запись таблицы Java слота %1</translation>
    </message>
    <message numerus="yes">
        <source>Java entries match the firmware</source>
        <translation>
            <numerusform>записей таблицы Java совпадает с прошивкой</numerusform>
            <numerusform>записей таблицы Java совпадают с прошивкой</numerusform>
            <numerusform>записей таблицы Java совпадают с прошивкой</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>standard Java files lie whole in the firmware</source>
        <translation>
            <numerusform>стандартных файлов Java целиком лежит в прошивке</numerusform>
            <numerusform>стандартных файлов Java целиком лежат в прошивке</numerusform>
            <numerusform>стандартных файлов Java целиком лежат в прошивке</numerusform>
        </translation>
    </message>
    <message>
        <source>the picture of slot %1</source>
        <translation>картинка слота %1</translation>
    </message>
    <message>
        <source>the standard picture of slot %1</source>
        <translation>стандартная картинка слота %1</translation>
    </message>
    <message>
        <source>the picture table entry of slot %1</source>
        <translation>запись таблицы картинок слота %1</translation>
    </message>
    <message numerus="yes">
        <source>picture entries match the firmware</source>
        <translation>
            <numerusform>записей таблицы картинок совпадает с прошивкой</numerusform>
            <numerusform>записей таблицы картинок совпадают с прошивкой</numerusform>
            <numerusform>записей таблицы картинок совпадают с прошивкой</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>standard pictures are well formed in the firmware</source>
        <translation>
            <numerusform>стандартных картинок правильно записана в прошивке</numerusform>
            <numerusform>стандартных картинок правильно записаны в прошивке</numerusform>
            <numerusform>стандартных картинок правильно записаны в прошивке</numerusform>
        </translation>
    </message>
    <message>
        <source>its entry gives it no byte</source>
        <translation>запись таблицы не даёт ей ни одного байта</translation>
    </message>
    <message>
        <source>only %1 of its %2 bytes at %3 lie in the firmware</source>
        <translation>из байтов по адресу %3 в прошивке лежит лишь часть: %1 из %2</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1 (%2-%3)</source>
        <translation>%1 (%2-%3)</translation>
    </message>
    <message>
        <source>%1 has no address of 8 hexadecimal digits</source>
        <translation>%1: нет адреса из 8 шестнадцатеричных цифр</translation>
    </message>
    <message>
        <source>%1 has no standard value of 16 hexadecimal digits</source>
        <translation>%1: нет стандартного значения из 16 шестнадцатеричных цифр</translation>
    </message>
    <message>
        <source>%1 at %2 lies outside the firmware&apos;s bytes</source>
        <translation>%1 по адресу %2 лежит вне байтов прошивки</translation>
    </message>
    <message>
        <source>%1 at %2 holds %3, not the standard %4</source>
        <translation>%1 по адресу %2 содержит %3, а не стандартное %4</translation>
    </message>
    <message numerus="yes">
        <source>volume bytes hold their standard volume</source>
        <translation>
            <numerusform>байтов громкости содержит стандартную громкость</numerusform>
            <numerusform>байтов громкости содержат стандартную громкость</numerusform>
            <numerusform>байтов громкости содержат стандартную громкость</numerusform>
        </translation>
    </message>
    <message>
        <source>the volume byte of slot %1 has no address or standard volume</source>
        <translation>байт громкости слота %1: нет адреса или стандартной громкости</translation>
    </message>
    <message>
        <source>the volume byte of slot %1 at %2 lies outside the firmware&apos;s bytes</source>
        <translation>байт громкости слота %1 по адресу %2 лежит вне байтов прошивки</translation>
    </message>
    <message>
        <source>the volume byte of slot %1 at %2 holds %3, not the standard %4</source>
        <translation>байт громкости слота %1 по адресу %2 содержит %3, а не стандартное %4</translation>
    </message>
    <message numerus="yes">
        <source>required patch records are applied or write over the firmware&apos;s bytes</source>
        <translation>
            <numerusform>записей обязательных патчей уже применена или пишет поверх байтов прошивки</numerusform>
            <numerusform>записей обязательных патчей уже применены или пишут поверх байтов прошивки</numerusform>
            <numerusform>записей обязательных патчей уже применены или пишут поверх байтов прошивки</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 writes %2 bytes at %3, of which only %4 lie in the firmware</source>
        <translation>%1 пишет по адресу %3 байтов: %2, из них в прошивке лежит лишь часть: %4</translation>
    </message>
    <message>
        <source> (%1 applied already)</source>
        <translation> (уже применено: %1)</translation>
    </message>
    <message>
        <source>the %1 %2-%3 holds %4</source>
        <translation>%1 %2-%3 пересекается с ресурсом: %4</translation>
    </message>
    <message>
        <source>only %1 of the %2 bytes of the %3 lie in the firmware</source>
        <translation>в прошивке лежит лишь часть байтов (%1 из %2): %3</translation>
    </message>
    <message>
        <source>%1 of %2 %3</source>
        <translation>%1 из %2 %3</translation>
    </message>
    <message>
        <source>writes %1 of its %2 bytes at %3 outside the firmware&apos;s bytes</source>
        <translation>пишет по адресу %3 вне байтов прошивки часть своих байтов: %1 из %2</translation>
    </message>
    <message>
        <source>by the %1 bytes before it</source>
        <translation>по байтам перед ним (%1)</translation>
    </message>
    <message>
        <source>by the %1 bytes after it</source>
        <translation>по байтам после него (%1)</translation>
    </message>
    <message>
        <source>by the %1 bytes around it</source>
        <translation>по байтам вокруг него (%1)</translation>
    </message>
    <message>
        <source>%1 at %2: the bytes before it and after it are found at different places in the new firmware</source>
        <translation>%1 по адресу %2: байты перед ним и после него найдены в новой прошивке в разных местах</translation>
    </message>
    <message>
        <source>%1 at %2: the bytes around it are found nowhere in the new firmware</source>
        <translation>%1 по адресу %2: байты вокруг него в новой прошивке не найдены</translation>
    </message>
    <message>
        <source>%1 at %2: the bytes around it are found at several places in the new firmware</source>
        <translation>%1 по адресу %2: байты вокруг него найдены в новой прошивке в нескольких местах</translation>
    </message>
    <message>
        <source>%1: its %2 bytes from %3 are found nowhere in the new firmware</source>
        <translation>%1: байты с адреса %3 (%2) в новой прошивке не найдены</translation>
    </message>
    <message>
        <source>%1: its %2 bytes from %3 are found at several places in the new firmware: %4</source>
        <translation>%1: байты с адреса %3 (%2) найдены в новой прошивке в нескольких местах: %4</translation>
    </message>
    <message>
        <source>found by its new value</source>
        <translation>найдена по своему новому значению</translation>
    </message>
    <message>
        <source>%1: the new firmware does not hold %2 at %3</source>
        <translation>%1: в новой прошивке по адресу %3 нет %2</translation>
    </message>
    <message>
        <source>the volume byte of slot %1</source>
        <translation>байт громкости слота %1</translation>
    </message>
    <message>
        <source>the start of the %1</source>
        <translation>начало: %1</translation>
    </message>
    <message>
        <source>the end of the %1</source>
        <translation>конец: %1</translation>
    </message>
    <message>
        <source>%1: %2 -&gt; %3, %4</source>
        <translation>%1: %2 -&gt; %3, %4</translation>
    </message>
    <message>
        <source>the data set does not match the old firmware</source>
        <translation>набор данных не подходит к старой прошивке</translation>
    </message>
    <message>
        <source>%1 writes %2 at %3 (%4 line %5), the patch %6</source>
        <translation>%1 пишет %2 по адресу %3 (%4, строка %5), а патч %6</translation>
    </message>
    <message>
        <source>%1 is missing</source>
        <translation>нет: %1</translation>
    </message>
    <message>
        <source>%1 is written only in part: %2 of its %3 bytes</source>
        <translation>%1 записан лишь частично: байтов %2 из %3</translation>
    </message>
    <message>
        <source>the %1 is %2, outside 01 to 7F</source>
        <translation>%1: %2, вне пределов от 01 до 7F</translation>
    </message>
    <message>
        <source>%1-%2 (%3 bytes) in the %4: no table entry of the patch points at them</source>
        <translation>%1-%2 (байтов: %3), %4: ни одна запись таблицы в патче на них не указывает</translation>
    </message>
    <message>
        <source>matches the current melody choices: %1</source>
        <translation>совпадает с текущим выбором мелодий: %1</translation>
    </message>
    <message>
        <source>the current melody choices cannot be built: %1</source>
        <translation>по текущему выбору мелодий патч не собрать: %1</translation>
    </message>
    <message>
        <source>melody slot %1</source>
        <translation>слот мелодии %1</translation>
    </message>
    <message>
        <source>matches the current Java choices: %1</source>
        <translation>совпадает с текущим выбором игр Java: %1</translation>
    </message>
    <message>
        <source>the current Java choices cannot be built: %1</source>
        <translation>по текущему выбору игр Java патч не собрать: %1</translation>
    </message>
    <message>
        <source>Java slot %1</source>
        <translation>слот Java %1</translation>
    </message>
    <message>
        <source>matches the current picture choices: %1</source>
        <translation>совпадает с текущим выбором картинок: %1</translation>
    </message>
    <message>
        <source>the current picture choices cannot be built: %1</source>
        <translation>по текущему выбору картинок патч не собрать: %1</translation>
    </message>
    <message>
        <source>picture slot %1</source>
        <translation>слот картинки %1</translation>
    </message>
    <message>
        <source>%1: the table entry is %2, the current choices give %3</source>
        <translation>%1: запись таблицы %2, а текущий выбор даёт %3</translation>
    </message>
    <message>
        <source>%1 differs from its working copy %2 at byte %3 (%4)</source>
        <translation>%1 отличается от своей рабочей копии %2 в байте %3 (%4)</translation>
    </message>
    <message>
        <source>%1: the patch writes %2, the working copy gives %3</source>
        <translation>%1: патч пишет %2, а в рабочей копии %3</translation>
    </message>
    <message>
        <source>%1: the patch does not write it</source>
        <translation>%1: патч его не пишет</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>да</translation>
    </message>
    <message>
        <source>no</source>
        <translation>нет</translation>
    </message>
    <message>
        <source>empty: not one record</source>
        <translation>пустой файл: ни одной записи</translation>
    </message>
    <message>
        <source>the last record is not an end record: the patch is cut short</source>
        <translation>последняя запись не завершающая: патч обрезан</translation>
    </message>
    <message>
        <source>%1 more ranges lie outside every region, table entry, volume byte and required patch, the last at %2</source>
        <translation>ещё диапазонов вне всех областей, записей таблиц, байтов громкости и обязательных патчей: %1, последний по адресу %2</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>не обычный файл</translation>
    </message>
    <message>
        <source>a line longer than %1 characters, which no list line is: the list cannot be read whole</source>
        <translation>строка длиннее %1 символов, каких в списках не бывает: список нельзя прочитать целиком</translation>
    </message>
    <message>
        <source>a NUL character: the rest of the list cannot be read, and no change is saved while it is there</source>
        <translation>нулевой символ: остаток списка нельзя прочитать, и пока он есть, изменения не сохраняются</translation>
    </message>
    <message numerus="yes">
        <source>regions are erased and hold no standard resource</source>
        <translation>
            <numerusform>областей очищена и не содержит стандартных ресурсов</numerusform>
            <numerusform>областей очищены и не содержат стандартных ресурсов</numerusform>
            <numerusform>областей очищены и не содержат стандартных ресурсов</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the %1 is not erased: %n byte is not FF, the first at %2</source>
        <translation>
            <numerusform>%1 не очищена: %n байт не равен FF, первый по адресу %2</numerusform>
            <numerusform>%1 не очищена: %n байта не равны FF, первый по адресу %2</numerusform>
            <numerusform>%1 не очищена: %n байтов не равны FF, первый по адресу %2</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the %1 is not erased: %n bytes are not FF, the first at %2</source>
        <translation>
            <numerusform>%1 не очищена: %n байт не равен FF, первый по адресу %2</numerusform>
            <numerusform>%1 не очищена: %n байта не равны FF, первый по адресу %2</numerusform>
            <numerusform>%1 не очищена: %n байтов не равны FF, первый по адресу %2</numerusform>
        </translation>
    </message>
    <message>
        <source>the %1 would shrink from %2 to %3 bytes in the new firmware: its bounds are not where the code ends</source>
        <translation>%1 в новой прошивке сократилась бы (байтов было %2, стало бы %3): её границы не там, где кончается код</translation>
    </message>
    <message numerus="yes">
        <source>the %1 placed at %2-%3: %n byte erased in the old firmware is not erased in the new one, the first at %4</source>
        <translation>
            <numerusform>%1, помещённая в %2-%3: %n байт, очищенный в старой прошивке, не очищен в новой, первый по адресу %4</numerusform>
            <numerusform>%1, помещённая в %2-%3: %n байта, очищенных в старой прошивке, не очищены в новой, первый по адресу %4</numerusform>
            <numerusform>%1, помещённая в %2-%3: %n байтов, очищенных в старой прошивке, не очищены в новой, первый по адресу %4</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the %1 placed at %2-%3: %n bytes erased in the old firmware are not erased in the new one, the first at %4</source>
        <translation>
            <numerusform>%1, помещённая в %2-%3: %n байт, очищенный в старой прошивке, не очищен в новой, первый по адресу %4</numerusform>
            <numerusform>%1, помещённая в %2-%3: %n байта, очищенных в старой прошивке, не очищены в новой, первый по адресу %4</numerusform>
            <numerusform>%1, помещённая в %2-%3: %n байтов, очищенных в старой прошивке, не очищены в новой, первый по адресу %4</numerusform>
        </translation>
    </message>
    <message>
        <source>%1, carried from %2 to %3, writes over bytes that changed: the old firmware holds %4 at %5, the new one %6 at %7</source>
        <translation>%1, перенесённый с %2 на %3, пишет поверх изменившихся байтов: в старой прошивке по адресу %5 лежит %4, в новой по адресу %7 — %6</translation>
    </message>
    <message>
        <source>a NUL character: the list is read up to it, the text after it is ignored</source>
        <translation>нулевой символ: список читается до него, текст после него не учитывается</translation>
    </message>
    <message>
        <source>the recorded sizes add up to %1 bytes, more than the %2 bytes the %3 manager has: no patch can be built (its &quot;Create patch!&quot; button stays off)</source>
        <translation>записанные размеры в сумме дают байтов: %1, больше, чем есть у менеджера %3 (%2): патч не собрать (кнопка «Создать патч!» останется выключенной)</translation>
    </message>
    <message>
        <source>a standard picture of %1 x %2 pixels: no picture can replace it</source>
        <translation>стандартная картинка %1 x %2 точек: её нечем заменить</translation>
    </message>
    <message>
        <source>Patch64K is an S%1 record: it must be one S3 record</source>
        <translation>Patch64K — запись S%1, а должна быть одна запись S3</translation>
    </message>
    <message numerus="yes">
        <source>%n of the %1 %2 is missing, the first the %3: the patch is cut short or incomplete</source>
        <translation>
            <numerusform>нет %n из %1 (%2), первой: %3; патч обрезан или неполон</numerusform>
            <numerusform>нет %n из %1 (%2), первой: %3; патч обрезан или неполон</numerusform>
            <numerusform>нет %n из %1 (%2), первой: %3; патч обрезан или неполон</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n of the %1 %2 are missing, the first the %3: the patch is cut short or incomplete</source>
        <translation>
            <numerusform>нет %n из %1 (%2), первой: %3; патч обрезан или неполон</numerusform>
            <numerusform>нет %n из %1 (%2), первой: %3; патч обрезан или неполон</numerusform>
            <numerusform>нет %n из %1 (%2), первой: %3; патч обрезан или неполон</numerusform>
        </translation>
    </message>
    <message>
        <source>carries the required patches but rewrites no table entry and writes nothing in a region: a manager&apos;s patch with every table record removed</source>
        <translation>содержит обязательные патчи, но не переписывает ни одной записи таблицы и ничего не пишет в областях: патч менеджера, из которого удалены все записи таблицы</translation>
    </message>
    <message>
        <source>%1-%2 (%3 bytes) in the first %4 bytes of the %5, kept for the string table: no patch writes there</source>
        <translation>%1-%2 (байтов: %3) в части %5, отведённой под таблицу строк (байтов: %4): туда не пишет ни один патч</translation>
    </message>
    <message>
        <source>%1: the volume byte at %2 is %3 (volume %4), the current choices give %5 (volume %6)</source>
        <translation>%1: байт громкости по адресу %2 равен %3 (громкость %4), а текущий выбор даёт %5 (громкость %6)</translation>
    </message>
    <message>
        <source>%1 bytes at %2 begin in the first %3 bytes of the %4, kept for the string table</source>
        <translation>байты (%1) по адресу %2 начинаются в части %4, отведённой под таблицу строк (байтов: %3)</translation>
    </message>
    <message>
        <source>The data set has errors</source>
        <translation>В наборе данных есть ошибки</translation>
    </message>
    <message>
        <source>The patch has errors</source>
        <translation>В патче есть ошибки</translation>
    </message>
    <message>
        <source>The data set has errors: %1 is not imported</source>
        <translation>В наборе данных есть ошибки: %1 не добавлен</translation>
    </message>
    <message>
        <source>Imported %1 into %2</source>
        <translation>%1 добавлен в %2</translation>
    </message>
    <message>
        <source>The data set does not match the firmware</source>
        <translation>Набор данных не подходит к прошивке</translation>
    </message>
    <message>
        <source>The firmware does not hold the data set&apos;s resources: nothing is extracted</source>
        <translation>В прошивке нет ресурсов набора данных: ничего не извлечено</translation>
    </message>
    <message numerus="yes">
        <source>%n resource extracted into %1</source>
        <translation>
            <numerusform>%n ресурс извлечён в %1</numerusform>
            <numerusform>%n ресурса извлечено в %1</numerusform>
            <numerusform>%n ресурсов извлечено в %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n resources extracted into %1</source>
        <translation>
            <numerusform>%n ресурс извлечён в %1</numerusform>
            <numerusform>%n ресурса извлечено в %1</numerusform>
            <numerusform>%n ресурсов извлечено в %1</numerusform>
        </translation>
    </message>
    <message>
        <source>The firmware does not hold the data set&apos;s pictures: no preview is made</source>
        <translation>В прошивке нет картинок набора данных: образцы не сделаны</translation>
    </message>
    <message numerus="yes">
        <source>%n preview made in %1</source>
        <translation>
            <numerusform>%n образец сделан в %1</numerusform>
            <numerusform>%n образца сделано в %1</numerusform>
            <numerusform>%n образцов сделано в %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n previews made in %1</source>
        <translation>
            <numerusform>%n образец сделан в %1</numerusform>
            <numerusform>%n образца сделано в %1</numerusform>
            <numerusform>%n образцов сделано в %1</numerusform>
        </translation>
    </message>
    <message>
        <source>The patches cannot be applied: nothing is written</source>
        <translation>Патчи нельзя применить: ничего не записано</translation>
    </message>
    <message>
        <source>Nothing is created: %1 cannot be made</source>
        <translation>Ничего не создано: %1 не сделать</translation>
    </message>
    <message>
        <source>Created %1 in %2</source>
        <translation>Создан %1 в %2</translation>
    </message>
    <message>
        <source>This data set has no volume patch</source>
        <translation>В этом наборе данных нет патча громкости</translation>
    </message>
    <message>
        <source>The new files do not fit: no patch is built</source>
        <translation>Новые файлы не помещаются: патч не собран</translation>
    </message>
    <message>
        <source>the SMAF check value is 0x%1, its bytes give 0x%2</source>
        <translation>контрольное значение SMAF — 0x%1, а по его байтам выходит 0x%2</translation>
    </message>
    <message>
        <source>holds more than %1 bytes of firmware data (%2 MiB), more than any firmware has; it is not read</source>
        <translation>содержит больше %1 байт данных прошивки (%2 МиБ) — больше, чем бывает в любой прошивке; файл не читается</translation>
    </message>
    <message>
        <source>the JAR is not a ZIP archive</source>
        <translation>JAR не является архивом ZIP</translation>
    </message>
    <message>
        <source>named .%1 but holds no %2 data</source>
        <translation>назван .%1, но не содержит данных %2</translation>
    </message>
    <message>
        <source>named .%1 but holds %2 data</source>
        <translation>назван .%1, но содержит данные %2</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>неизвестно</translation>
    </message>
    <message>
        <source>the handset does not play %1</source>
        <translation>телефон не играет %1</translation>
    </message>
    <message>
        <source>the JAR holds no META-INF/MANIFEST.MF</source>
        <translation>в JAR нет META-INF/MANIFEST.MF</translation>
    </message>
    <message>
        <source>the JAR&apos;s manifest is too large to read</source>
        <translation>манифест JAR слишком велик, чтобы его читать</translation>
    </message>
    <message>
        <source>the JAR is not a whole ZIP archive (no end record)</source>
        <translation>JAR не является целым архивом ZIP (нет завершающей записи)</translation>
    </message>
    <message>
        <source>the JAR&apos;s manifest names no MIDlet-1</source>
        <translation>в манифесте JAR нет MIDlet-1</translation>
    </message>
    <message>
        <source>the JAD has no MIDlet-Jar-Size</source>
        <translation>в JAD нет MIDlet-Jar-Size</translation>
    </message>
    <message>
        <source>the JAD&apos;s MIDlet-Jar-Size &quot;%1&quot; is not a size</source>
        <translation>MIDlet-Jar-Size «%1» в JAD не является размером</translation>
    </message>
    <message>
        <source>the JAD has no MIDlet-Name</source>
        <translation>в JAD нет MIDlet-Name</translation>
    </message>
    <message>
        <source>the MIDI header is malformed</source>
        <translation>заголовок MIDI испорчен</translation>
    </message>
    <message>
        <source>format 2 MIDI file (independent sequences): unusual for a handset</source>
        <translation>файл MIDI формата 2 (независимые последовательности): необычен для телефона</translation>
    </message>
    <message>
        <source>unknown MIDI format %1</source>
        <translation>неизвестный формат MIDI %1</translation>
    </message>
    <message>
        <source>no chunk where track %1 should start</source>
        <translation>там, где должна начинаться дорожка %1, нет блока</translation>
    </message>
    <message>
        <source>track %1 is malformed</source>
        <translation>дорожка %1 испорчена</translation>
    </message>
    <message>
        <source>cut short: track %1 of %2 runs past the end</source>
        <translation>файл обрезан: дорожка %1 из %2 выходит за конец файла</translation>
    </message>
    <message>
        <source>the MIDI file holds no tracks</source>
        <translation>в файле MIDI нет дорожек</translation>
    </message>
    <message>
        <source>the RIFF MIDI file holds no MIDI data</source>
        <translation>в файле RIFF MIDI нет данных MIDI</translation>
    </message>
    <message>
        <source>not a melody the handset plays</source>
        <translation>не мелодия, которую играет телефон</translation>
    </message>
    <message>
        <source>a %1 file, not a melody</source>
        <translation>файл %1, а не мелодия</translation>
    </message>
    <message>
        <source>not a %1 file</source>
        <translation>не файл %1</translation>
    </message>
    <message>
        <source>%1 differs: &quot;%2&quot; in the JAD of slot %3, &quot;%4&quot; in the JAR of slot %5</source>
        <translation>%1 различается: «%2» в JAD слота %3, «%4» в JAR слота %5</translation>
    </message>
    <message>
        <source>the JAR of slot %1 is new but the JAD of slot %2 is standard: the game needs a JAD of its own (the standard JAD still gives the old JAR&apos;s MIDlet-Jar-Size)</source>
        <translation>JAR слота %1 новый, а JAD слота %2 стандартный: игре нужен свой JAD (в стандартном JAD остаётся MIDlet-Jar-Size старого JAR)</translation>
    </message>
    <message>
        <source>the standard JAD of slot %1 gives MIDlet-Jar-Size %2, but the standard JAR of slot %3 has %4 bytes</source>
        <translation>стандартный JAD слота %1 указывает MIDlet-Jar-Size %2, а в стандартном JAR слота %3 байтов: %4</translation>
    </message>
    <message>
        <source>MIDlet-Jar-Size %1 in the JAD of slot %2, but the JAR of slot %3 has %4 bytes</source>
        <translation>MIDlet-Jar-Size %1 в JAD слота %2, а в JAR слота %3 байтов: %4</translation>
    </message>
    <message>
        <source>the JAR at %1 (entry %2): no JAD names its size</source>
        <translation>JAR по адресу %1 (запись %2): ни один JAD не называет его размер</translation>
    </message>
    <message>
        <source>Left out: %1</source>
        <translation>Пропущено: %1</translation>
    </message>
    <message>
        <source>Slots: %1 melodies, %2 Java files, %3 pictures</source>
        <translation>Слотов: мелодий %1, Java-файлов %2, картинок %3</translation>
    </message>
    <message>
        <source>Erased areas that may serve as regions (START-END):</source>
        <translation>Стёртые участки, которые могут служить областями (НАЧАЛО-КОНЕЦ):</translation>
    </message>
    <message>
        <source>An erased area can also be the phone&apos;s own storage: a person must confirm each region before anything is flashed.</source>
        <translation>Стёртый участок может оказаться и собственной памятью телефона: каждую область должен подтвердить человек, прежде чем что-либо записывать в телефон.</translation>
    </message>
    <message>
        <source>%1 x %2</source>
        <translation>%1 x %2</translation>
    </message>
    <message>
        <source>%1 s</source>
        <translation>%1 с</translation>
    </message>
    <message>
        <source>no entry points at it</source>
        <translation>на него не указывает ни одна запись</translation>
    </message>
    <message>
        <source>entries: %1</source>
        <translation>записи: %1</translation>
    </message>
    <message>
        <source>%1 resources (%2 melodies, %3 Java files, %4 pictures), %5 entries, %6 erased areas</source>
        <translation>ресурсов: %1 (мелодий %2, Java-файлов %3, картинок %4), записей: %5, стёртых участков: %6</translation>
    </message>
    <message>
        <source>The picture search stopped at %1: the bytes from there on hold too many false starts of a picture for its work limit, so pictures there are not listed</source>
        <translation>Поиск картинок остановлен на %1: дальше слишком много ложных начал картинки для его предела работы, поэтому картинки оттуда не перечислены</translation>
    </message>
    <message>
        <source>The file name holds a control character (a line break, a tab or another). Please rename the file.</source>
        <translation>Имя файла содержит управляющий символ (перевод строки, табуляцию или другой). Пожалуйста, переименуйте файл.</translation>
    </message>
    <message>
        <source>Invalid file name: %1</source>
        <translation>Недопустимое имя файла: %1</translation>
    </message>
    <message>
        <source>The file name &quot;%1&quot; cannot be written in code page 1251. Please rename the file.</source>
        <translation>Имя файла &quot;%1&quot; нельзя записать в кодировке 1251. Пожалуйста, переименуйте файл.</translation>
    </message>
    <message>
        <source>The file is in use already. Please choose another melody file.</source>
        <translation>Файл уже используется. Пожалуйста, выберите другой файл мелодии.</translation>
    </message>
    <message>
        <source>The file is in use already. Please choose another file.</source>
        <translation>Файл уже используется. Пожалуйста, выберите другой файл.</translation>
    </message>
    <message>
        <source>The file cannot be saved into the firmware folder %1: in it, its Data folder and its working folders the program keeps lists and copies of files. Saving there would spoil them, and the program empties the working folder. Please choose another folder.
%2</source>
        <translation>Файл нельзя сохранить в папку прошивки %1: в ней, в её папке Data и в её рабочих папках программа хранит списки и копии файлов. Сохранение туда испортило бы их, а рабочую папку программа очищает. Пожалуйста, выберите другую папку.
%2</translation>
    </message>
    <message>
        <source>File &quot;%1&quot; created.</source>
        <translation>Файл &quot;%1&quot; создан.</translation>
    </message>
    <message>
        <source>The player %1 plays MIDI melodies only, and &quot;%2&quot; is not MIDI (it will not play a SMAF melody, .mmf).</source>
        <translation>Проигрыватель %1 воспроизводит только мелодии MIDI, а &quot;%2&quot; — не MIDI (мелодию SMAF .mmf он не проиграет).</translation>
    </message>
    <message>
        <source>The picture does not match the size of %1x%2 pixels. Please choose another file. The size of the chosen picture: %3x%4. To take it, tick &quot;Fit the picture&apos;s size&quot;%5: a picture of another size is scaled down or up and cropped at its edges.</source>
        <translation>Картинка не соответствует размеру %1х%2 пикселей. Пожалуйста, выберите другой файл. Размер выбранной картинки: %3x%4. Чтобы взять её, отметьте &quot;Подгонять размер картинки&quot;%5: картинка другого размера будет уменьшена или увеличена и обрезана по краям.</translation>
    </message>
    <message numerus="yes">
        <source>found by its %n byte</source>
        <translation>
            <numerusform>найден по своему %n байту</numerusform>
            <numerusform>найден по своим %n байтам</numerusform>
            <numerusform>найден по своим %n байтам</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>found by its %n bytes</source>
        <translation>
            <numerusform>найден по своему %n байту</numerusform>
            <numerusform>найден по своим %n байтам</numerusform>
            <numerusform>найден по своим %n байтам</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n byte</source>
        <translation>
            <numerusform>%n байт</numerusform>
            <numerusform>%n байта</numerusform>
            <numerusform>%n байт</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n bytes</source>
        <translation>
            <numerusform>%n байт</numerusform>
            <numerusform>%n байта</numerusform>
            <numerusform>%n байт</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>JAR of %n byte</source>
        <translation>
            <numerusform>JAR на %n байт</numerusform>
            <numerusform>JAR на %n байта</numerusform>
            <numerusform>JAR на %n байт</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>JAR of %n bytes</source>
        <translation>
            <numerusform>JAR на %n байт</numerusform>
            <numerusform>JAR на %n байта</numerusform>
            <numerusform>JAR на %n байт</numerusform>
        </translation>
    </message>
    <message>
        <source>the data set checked: one finding a line, FILE:LINE: error|warning: TEXT</source>
        <translation>проверка набора данных: по находке в строке, FILE:LINE: ошибка|предупреждение: TEXT</translation>
    </message>
    <message>
        <source>a Data folder (or the firmware folder holding it) instead of the current firmware&apos;s</source>
        <translation>папка Data (или папка прошивки, в которой она лежит) вместо папки текущей прошивки</translation>
    </message>
    <message>
        <source>an S-record file checked: its lines, the ranges it writes and, with the data set, what lies there</source>
        <translation>проверка файла S-записей: его строки, диапазоны, которые он пишет, и, с набором данных, что там лежит</translation>
    </message>
    <message>
        <source>the S-record file</source>
        <translation>файл S-записей</translation>
    </message>
    <message>
        <source>check the records alone, without the current data set</source>
        <translation>проверить только записи, без текущего набора данных</translation>
    </message>
    <message>
        <source>a data set added to the user folder once its check finds no error</source>
        <translation>набор данных добавляется в папку пользователя, если проверка не нашла ошибок</translation>
    </message>
    <message>
        <source>a firmware folder holding Data, or a Data folder</source>
        <translation>папка прошивки с папкой Data или сама папка Data</translation>
    </message>
    <message>
        <source>the new firmware id (default: the firmware folder&apos;s name); an existing one is never replaced</source>
        <translation>идентификатор новой прошивки (по умолчанию имя папки прошивки); существующий никогда не заменяется</translation>
    </message>
    <message>
        <source>%1 is also read by this command (%2): the output must be another file</source>
        <translation>%1 также читается этой командой (%2): вывод должен идти в другой файл</translation>
    </message>
    <message>
        <source>the user folder holding the firmware folders, instead of $XDG_DATA_HOME/Tarvex</source>
        <translation>папка пользователя с папками прошивок вместо $XDG_DATA_HOME/Tarvex</translation>
    </message>
    <message>
        <source>the firmware for this run, instead of the remembered one</source>
        <translation>прошивка для этого запуска вместо запомненной</translation>
    </message>
    <message>
        <source>the program&apos;s version</source>
        <translation>версия программы</translation>
    </message>
    <message>
        <source>this help</source>
        <translation>эта справка</translation>
    </message>
    <message>
        <source>usage: tarvex-cli [options] </source>
        <translation>использование: tarvex-cli [параметры] </translation>
    </message>
    <message>
        <source>read the firmware as a raw image whose first byte lies at ADDR (decimal, or hexadecimal after 0x)</source>
        <translation>читать прошивку как сырой образ, первый байт которого лежит по адресу ADDR (десятичное число или шестнадцатеричное после 0x)</translation>
    </message>
    <message>
        <source>--base must be an address: %1</source>
        <translation>--base должен быть адресом: %1</translation>
    </message>
    <message>
        <source>whether the data set belongs to the firmware: entries, resources, volumes, required patches, regions</source>
        <translation>подходит ли набор данных к прошивке: записи таблиц, ресурсы, громкости, обязательные патчи, области</translation>
    </message>
    <message>
        <source>the melodies, Java files and pictures any firmware holds, the table entries pointing at them and its largest erased areas, without a data set</source>
        <translation>мелодии, файлы Java и картинки любой прошивки, записи таблиц, указывающие на них, и её самые большие стёртые области, без набора данных</translation>
    </message>
    <message>
        <source>a new data set made from what scan finds in FIRMWARE, checked and matched before it is added</source>
        <translation>новый набор данных из того, что scan находит в FIRMWARE, проверенный и сверенный до добавления</translation>
    </message>
    <message>
        <source>the new firmware id; an existing one is never replaced</source>
        <translation>идентификатор новой прошивки; существующий никогда не заменяется</translation>
    </message>
    <message>
        <source>the firmware&apos;s standard resources written into DIR, with index.tsv</source>
        <translation>стандартные ресурсы прошивки, записанные в DIR, с index.tsv</translation>
    </message>
    <message>
        <source>the data set&apos;s picture previews (Pic/N.jpg) made from the firmware</source>
        <translation>изображения картинок набора данных (Pic/N.jpg), сделанные по прошивке</translation>
    </message>
    <message>
        <source>the firmware with the patches written over it, as S3 records or a raw image</source>
        <translation>прошивка с записанными поверх неё патчами, в виде записей S3 или сырого образа</translation>
    </message>
    <message>
        <source>S-record files, written in the order given</source>
        <translation>файлы S-записей, записываемые в данном порядке</translation>
    </message>
    <message>
        <source>OUT.bin: a raw image from the lowest address, gaps FF; anything else: S3 records of 16 bytes</source>
        <translation>OUT.bin: сырой образ с наименьшего адреса, пропуски FF; любое другое имя: записи S3 по 16 байт</translation>
    </message>
    <message>
        <source>let a patch write bytes the firmware does not hold</source>
        <translation>разрешить патчу писать байты, которых нет в прошивке</translation>
    </message>
    <message>
        <source>a new data set for NEW_FIRMWARE from the current one, made for OLD_FIRMWARE</source>
        <translation>новый набор данных для NEW_FIRMWARE из текущего, сделанного для OLD_FIRMWARE</translation>
    </message>
    <message>
        <source>the firmware the current data set was made for</source>
        <translation>прошивка, для которой сделан текущий набор данных</translation>
    </message>
    <message>
        <source>the other version</source>
        <translation>другая версия</translation>
    </message>
    <message>
        <source>the new firmware id (default: NEW_FIRMWARE&apos;s name without its suffix); an existing one is never replaced</source>
        <translation>идентификатор новой прошивки (по умолчанию имя NEW_FIRMWARE без расширения); существующий никогда не заменяется</translation>
    </message>
    <message>
        <source>carry a required patch whose bytes underneath differ in NEW_FIRMWARE, naming it as a warning (refused otherwise)</source>
        <translation>перенести обязательный патч, байты под которым в NEW_FIRMWARE другие, с предупреждением (иначе отказ)</translation>
    </message>
    <message>
        <source>firmware</source>
        <translation>прошивка</translation>
    </message>
    <message>
        <source>firmware folder</source>
        <translation>папка прошивки</translation>
    </message>
    <message>
        <source>melody start</source>
        <translation>начало мелодий</translation>
    </message>
    <message>
        <source>melody end</source>
        <translation>конец мелодий</translation>
    </message>
    <message>
        <source>java start</source>
        <translation>начало Java</translation>
    </message>
    <message>
        <source>java end</source>
        <translation>конец Java</translation>
    </message>
    <message>
        <source>picture start</source>
        <translation>начало картинок</translation>
    </message>
    <message>
        <source>picture end</source>
        <translation>конец картинок</translation>
    </message>
    <message>
        <source>string table size</source>
        <translation>размер таблицы строк</translation>
    </message>
    <message>
        <source>patch64k</source>
        <translation>патч 64K</translation>
    </message>
    <message>
        <source>volume patch</source>
        <translation>патч громкости</translation>
    </message>
    <message>
        <source>melody page</source>
        <translation>страница мелодий</translation>
    </message>
    <message>
        <source>java page</source>
        <translation>страница Java</translation>
    </message>
    <message>
        <source>picture page</source>
        <translation>страница картинок</translation>
    </message>
    <message>
        <source>melody total</source>
        <translation>память мелодий</translation>
    </message>
    <message>
        <source>java total</source>
        <translation>память Java</translation>
    </message>
    <message>
        <source>picture total</source>
        <translation>память картинок</translation>
    </message>
    <message>
        <source>The picture %1 has no pixels</source>
        <translation>В картинке %1 нет пикселей</translation>
    </message>
    <message>
        <source>where the output goes: a file (replaced only once complete), a device or FIFO (written directly), or - for standard output</source>
        <translation>куда идёт вывод: файл (заменяется только целиком готовым), устройство или FIFO (пишутся напрямую) или - для стандартного вывода</translation>
    </message>
    <message>
        <source>the firmware, its folder, memory map and totals</source>
        <translation>прошивка, её папка, карта памяти и объёмы</translation>
    </message>
    <message>
        <source>a patch writing FILE&apos;s bytes at an address (the custom patch page)</source>
        <translation>патч, записывающий байты FILE по адресу (страница своего патча)</translation>
    </message>
    <message>
        <source>any file; all of its bytes are written</source>
        <translation>любой файл; записываются все его байты</translation>
    </message>
    <message>
        <source>address of the first byte: decimal, or hexadecimal after 0x or $ (default 0x00646880)</source>
        <translation>адрес первого байта: десятичный или шестнадцатеричный после 0x или $ (по умолчанию 0x00646880)</translation>
    </message>
    <message>
        <source> (the default)</source>
        <translation> (по умолчанию)</translation>
    </message>
    <message>
        <source>the picture in the handset picture format</source>
        <translation>картинка в формате картинок телефона</translation>
    </message>
    <message>
        <source>the picture to convert (.bmp, .png, .jpg, .jpeg, .gif)</source>
        <translation>картинка для преобразования (.bmp, .png, .jpg, .jpeg, .gif)</translation>
    </message>
    <message>
        <source>unknown manager %1 (melodies, java, pictures)</source>
        <translation>неизвестный менеджер %1 (melodies, java, pictures)</translation>
    </message>
    <message>
        <source>warning: %1</source>
        <translation>предупреждение: %1</translation>
    </message>
    <message>
        <source>The %1 page is not available in this data set</source>
        <translation>Страница %1 в этом наборе данных недоступна</translation>
    </message>
    <message>
        <source>slot must be a number: %1</source>
        <translation>слот должен быть числом: %1</translation>
    </message>
    <message>
        <source>There is no slot %1: %2 has no slots</source>
        <translation>Слота %1 нет: в %2 нет слотов</translation>
    </message>
    <message>
        <source>There is no slot %1: %2 has slots 0 to %3</source>
        <translation>Слота %1 нет: в %2 слоты с 0 по %3</translation>
    </message>
    <message>
        <source>n/a</source>
        <translation>н/д</translation>
    </message>
    <message numerus="yes">
        <source>used: %1 of %n byte (%2%)</source>
        <translation>
            <numerusform>занято: %1 из %n байта (%2%)</numerusform>
            <numerusform>занято: %1 из %n байтов (%2%)</numerusform>
            <numerusform>занято: %1 из %n байтов (%2%)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>used: %1 of %n bytes (%2%)</source>
        <translation>
            <numerusform>занято: %1 из %n байта (%2%)</numerusform>
            <numerusform>занято: %1 из %n байтов (%2%)</numerusform>
            <numerusform>занято: %1 из %n байтов (%2%)</numerusform>
        </translation>
    </message>
    <message>
        <source>, over the limit: no patch can be built</source>
        <translation>, сверх предела: патч не собрать</translation>
    </message>
    <message>
        <source>--fit is only for pictures</source>
        <translation>--fit только для картинок</translation>
    </message>
    <message>
        <source>Slot %1 takes only *.%2 files</source>
        <translation>Слот %1 принимает только файлы *.%2</translation>
    </message>
    <message>
        <source>Slot %1 has no volume (only slots 0 to 24 have)</source>
        <translation>У слота %1 нет громкости (она есть только у слотов с 0 по 24)</translation>
    </message>
    <message>
        <source>the manager, as the window&apos;s page</source>
        <translation>менеджер, как страница окна</translation>
    </message>
    <message>
        <source>the slot&apos;s number, from 0, as &quot;slots&quot; lists it</source>
        <translation>номер слота, с 0, как его показывает &quot;slots&quot;</translation>
    </message>
    <message>
        <source>one line per slot: index, then the list&apos;s columns (tab-separated; melodies add the volume)</source>
        <translation>по строке на слот: номер, затем столбцы списка (через табуляцию; у мелодий ещё громкость)</translation>
    </message>
    <message>
        <source>a new file for the slot, as the page&apos;s open button</source>
        <translation>новый файл для слота, как кнопка открытия на странице</translation>
    </message>
    <message>
        <source>the new file, copied into the working folder</source>
        <translation>новый файл, копируемый в рабочую папку</translation>
    </message>
    <message>
        <source>pictures: a picture of another size is scaled, keeping its proportions, to cover the slot, cropped around its centre and kept as a 24-bit bitmap named like FILE with the extension .bmp</source>
        <translation>картинки: картинка другого размера масштабируется с сохранением пропорций, чтобы покрыть слот, обрезается вокруг центра и сохраняется как 24-битный BMP с именем как у FILE и расширением .bmp</translation>
    </message>
    <message>
        <source>the slot&apos;s standard resource back</source>
        <translation>вернуть слоту стандартный ресурс</translation>
    </message>
    <message>
        <source>a melody slot&apos;s volume, 1 to 127</source>
        <translation>громкость слота мелодии, от 1 до 127</translation>
    </message>
    <message>
        <source>the volume, 1 to 127</source>
        <translation>громкость, от 1 до 127</translation>
    </message>
    <message>
        <source>the manager&apos;s patch, as its &quot;Create patch!&quot; button</source>
        <translation>патч менеджера, как его кнопка &quot;Создать патч!&quot;</translation>
    </message>
    <message>
        <source>where the patch goes: a file (replaced only once complete), a device or FIFO (written directly), or - for standard output; a failed build writes nothing</source>
        <translation>куда идёт патч: файл (заменяется только целиком готовым), устройство или FIFO (пишутся напрямую) или - для стандартного вывода; неудачная сборка ничего не пишет</translation>
    </message>
    <message>
        <source>standard input</source>
        <translation>стандартный ввод</translation>
    </message>
    <message>
        <source>%1 holds more than %2 MiB: it is not read</source>
        <translation>%1: больше %2 МиБ, не читается</translation>
    </message>
    <message>
        <source>The input</source>
        <translation>Ввод</translation>
    </message>
    <message>
        <source>%1 needs a value</source>
        <translation>%1 требует значения</translation>
    </message>
    <message>
        <source>%1 takes no value</source>
        <translation>%1 не принимает значения</translation>
    </message>
    <message>
        <source>unknown option %1</source>
        <translation>неизвестный параметр %1</translation>
    </message>
    <message numerus="yes">
        <source>expected %n argument</source>
        <translation>
            <numerusform>ожидался %n аргумент</numerusform>
            <numerusform>ожидалось %n аргумента</numerusform>
            <numerusform>ожидалось %n аргументов</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>expected %n arguments</source>
        <translation>
            <numerusform>ожидался %n аргумент</numerusform>
            <numerusform>ожидалось %n аргумента</numerusform>
            <numerusform>ожидалось %n аргументов</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>expected at least %n argument</source>
        <translation>
            <numerusform>ожидался хотя бы %n аргумент</numerusform>
            <numerusform>ожидалось хотя бы %n аргумента</numerusform>
            <numerusform>ожидалось хотя бы %n аргументов</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>expected at least %n arguments</source>
        <translation>
            <numerusform>ожидался хотя бы %n аргумент</numerusform>
            <numerusform>ожидалось хотя бы %n аргумента</numerusform>
            <numerusform>ожидалось хотя бы %n аргументов</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>expected %1 to %n argument</source>
        <translation>
            <numerusform>ожидалось от %1 до %n аргумента</numerusform>
            <numerusform>ожидалось от %1 до %n аргументов</numerusform>
            <numerusform>ожидалось от %1 до %n аргументов</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>expected %1 to %n arguments</source>
        <translation>
            <numerusform>ожидалось от %1 до %n аргумента</numerusform>
            <numerusform>ожидалось от %1 до %n аргументов</numerusform>
            <numerusform>ожидалось от %1 до %n аргументов</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 needs a non-empty value</source>
        <translation>%1 требует непустого значения</translation>
    </message>
    <message>
        <source>a picture in the handset picture format back into an image</source>
        <translation>картинка в формате картинок телефона обратно в изображение</translation>
    </message>
    <message>
        <source>a file in the handset picture format, as convert writes it; malformed input is refused with the offset of the fault</source>
        <translation>файл в формате картинок телефона, как его пишет convert; неверные данные отвергаются со смещением ошибки</translation>
    </message>
    <message>
        <source>the image to write: .png or .bmp, by its name</source>
        <translation>изображение для записи: .png или .bmp, по имени</translation>
    </message>
    <message>
        <source>no command given</source>
        <translation>команда не указана</translation>
    </message>
    <message>
        <source>unknown command %1</source>
        <translation>неизвестная команда %1</translation>
    </message>
    <message>
        <source>%1 exists already: extract makes a new folder, whole or not at all; remove it or name another</source>
        <translation>%1 уже существует: extract создаёт новую папку целиком или не создаёт вовсе; удалите её или укажите другую</translation>
    </message>
    <message>
        <source>midi</source>
        <translation>MIDI</translation>
    </message>
    <message>
        <source>smaf</source>
        <translation>SMAF</translation>
    </message>
    <message>
        <source>jad</source>
        <translation>JAD</translation>
    </message>
    <message>
        <source>jar</source>
        <translation>JAR</translation>
    </message>
    <message>
        <source>picture</source>
        <translation>картинка</translation>
    </message>
    <message>
        <source>the folder: melodies/N.mid|mmf|bin, java/N.jad|jar, pictures/N.png (N the slot, from 0), index.tsv</source>
        <translation>папка: melodies/N.mid|mmf|bin, java/N.jad|jar, pictures/N.png (N — слот, с 0), index.tsv</translation>
    </message>
    <message>
        <source>one JSON document (UTF-8) instead of the text</source>
        <translation>один документ JSON (UTF-8) вместо текста</translation>
    </message>
    <message>
        <source>There is no firmware %1 in %2; %3</source>
        <translation>Прошивки %1 в %2 нет; %3</translation>
    </message>
    <message>
        <source>it holds none</source>
        <translation>там нет ни одной</translation>
    </message>
    <message>
        <source>it holds: %1</source>
        <translation>там есть: %1</translation>
    </message>
    <message>
        <source>Builds firmware patch files (S3 records) from the firmware data set, as the window does.</source>
        <translation>Создаёт файлы патчей прошивки (записи S3) по набору данных прошивки, как это делает окно.</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>Параметры:</translation>
    </message>
    <message>
        <source>Commands:</source>
        <translation>Команды:</translation>
    </message>
    <message>
        <source>A command&apos;s options may stand anywhere among its arguments: --opt=VALUE and --opt VALUE are the same, as are -oVALUE and -o VALUE; an option given twice counts once, with the last value; -- ends the options.</source>
        <translation>Параметры команды могут стоять где угодно среди её аргументов: --opt=VALUE и --opt VALUE равнозначны, как и -oVALUE и -o VALUE; параметр, данный дважды, считается один раз, с последним значением; -- завершает параметры.</translation>
    </message>
    <message>
        <source>Exit status: 0 done, 1 an error of the work (the message on standard error), 2 wrong usage.</source>
        <translation>Код выхода: 0 — готово, 1 — ошибка в работе (сообщение в стандартном потоке ошибок), 2 — неверный вызов.</translation>
    </message>
    <message>
        <source>Try &apos;tarvex-cli %1 --help&apos;.</source>
        <translation>Попробуйте &apos;tarvex-cli %1 --help&apos;.</translation>
    </message>
    <message>
        <source>usage: tarvex-cli [--user-folder DIR] [--firmware ID] COMMAND [ARGS]</source>
        <translation>использование: tarvex-cli [--user-folder DIR] [--firmware ID] COMMAND [ARGS]</translation>
    </message>
    <message>
        <source>commands:</source>
        <translation>команды:</translation>
    </message>
    <message>
        <source>Try &apos;tarvex-cli --help&apos;.</source>
        <translation>Попробуйте &apos;tarvex-cli --help&apos;.</translation>
    </message>
    <message>
        <source>the JAR holds two entries named %1: the handset refuses it</source>
        <translation>в JAR две записи с именем %1: телефон его не примет</translation>
    </message>
    <message>
        <source>method %1</source>
        <translation>%1</translation>
    </message>
    <message>
        <source>the JAR&apos;s entry %1 is encrypted: the handset cannot read it</source>
        <translation>запись %1 в JAR зашифрована: телефон не сможет её прочитать</translation>
    </message>
    <message>
        <source>the JAR&apos;s entry %1 is compressed with %2: the handset unpacks only stored and deflated entries</source>
        <translation>запись %1 в JAR сжата методом %2: телефон распаковывает только несжатые и сжатые методом deflate записи</translation>
    </message>
    <message>
        <source>the JAR&apos;s entry %1 fails its CRC check: it is damaged</source>
        <translation>запись %1 в JAR не сходится со своей контрольной суммой CRC: она повреждена</translation>
    </message>
    <message>
        <source>the JAR holds no entries</source>
        <translation>в JAR нет ни одной записи</translation>
    </message>
    <message>
        <source>the JAR&apos;s directory ends with a ZIP64 end record, which the handset does not read</source>
        <translation>каталог JAR заканчивается записью ZIP64, которую телефон не читает</translation>
    </message>
    <message>
        <source>track %1 has no end-of-track event</source>
        <translation>в дорожке %1 нет события конца дорожки</translation>
    </message>
    <message>
        <source>track %1 holds bytes after its end-of-track event</source>
        <translation>в дорожке %1 есть байты после события конца дорожки</translation>
    </message>
    <message>
        <source>the SMAF title is in code type 0x%1 (%2), which is not decoded</source>
        <translation>название SMAF записано в кодировке 0x%1 (%2), которая не расшифровывается</translation>
    </message>
    <message>
        <source>the SMAF file holds nothing but its header</source>
        <translation>файл SMAF состоит из одного заголовка</translation>
    </message>
    <message>
        <source>only %1 of the %2 bytes of the %3 %4-%5 lie in the firmware</source>
        <translation>в прошивке лежит лишь часть байтов (%1 из %2): %3 %4-%5</translation>
    </message>
    <message>
        <source>Nothing is created: no region is given, so every page of %1 would stay off</source>
        <translation>Ничего не создано: не задано ни одной области, и все страницы набора %1 остались бы выключены</translation>
    </message>
    <message>
        <source>nothing is placed: the pages with a region get no slot</source>
        <translation>ничего не размещено: страницам с областью не досталось ни одного слота</translation>
    </message>
    <message>
        <source>the file is larger than %1 bytes</source>
        <translation>файл больше %1 байт</translation>
    </message>
    <message>
        <source>its MIDlet-Jar-Size line cannot be edited</source>
        <translation>её строку MIDlet-Jar-Size нельзя изменить</translation>
    </message>
    <message>
        <source>the copy does not read back as written</source>
        <translation>копия читается не так, как записана</translation>
    </message>
    <message>
        <source>the JAD of slot %1 is new but the JAR of slot %2 is standard: the JAD must describe the standard game</source>
        <translation>JAD слота %1 новый, а JAR слота %2 стандартный: JAD должен описывать стандартную игру</translation>
    </message>
    <message>
        <source>%1: no patch is built</source>
        <translation>%1: патч не собран</translation>
    </message>
    <message>
        <source> (in tarvex-cli: --fit)</source>
        <translation> (в tarvex-cli: --fit)</translation>
    </message>
    <message>
        <source>Revert patch %1: %2</source>
        <translation>Патч отмены %1: %2</translation>
    </message>
    <message>
        <source>The revert patch was written but does not read back as made</source>
        <translation>Патч отмены записан, но читается не так, как был создан</translation>
    </message>
    <message>
        <source>The revert patch cannot be made: nothing is written</source>
        <translation>Патч отмены создать нельзя: ничего не записано</translation>
    </message>
    <message>
        <source>also draw the firmware&apos;s map into FILE as SVG: its bytes, erased areas, resources by kind and table entries along the address range</source>
        <translation>также нарисовать карту прошивки в FILE в формате SVG: её байты, стёртые области, ресурсы по видам и записи таблиц вдоль диапазона адресов</translation>
    </message>
    <message>
        <source>mark on the map what the S-record file PATCH writes</source>
        <translation>отметить на карте, что записывает файл S-записей PATCH</translation>
    </message>
    <message>
        <source>an S3 patch writing back the firmware&apos;s own bytes wherever the patches write, checked to give the firmware back after them</source>
        <translation>патч S3, записывающий собственные байты прошивки везде, куда пишут патчи; проверено, что после них он возвращает прошивку</translation>
    </message>
    <message>
        <source>S-record files; each may write only bytes the firmware holds</source>
        <translation>файлы S-записей; каждый может записывать только байты, которые есть в прошивке</translation>
    </message>
    <message>
        <source>the revert patch: S3 records of 16 bytes and the firmware&apos;s end record</source>
        <translation>патч отмены: записи S3 по 16 байт и завершающая запись прошивки</translation>
    </message>
    <message>
        <source>writes %1 outside the firmware&apos;s bytes: a revert patch cannot put back what the firmware does not hold</source>
        <translation>записывает %1 вне байтов прошивки: патч отмены не может вернуть того, чего в прошивке нет</translation>
    </message>
    <message>
        <source>the revert patch</source>
        <translation>патч отмены</translation>
    </message>
    <message>
        <source>the firmware with the patches and then the revert differs from the firmware at %1</source>
        <translation>прошивка с патчами и затем с патчем отмены отличается от исходной по адресу %1</translation>
    </message>
    <message>
        <source>does not read back as the revert patch made</source>
        <translation>читается не так, как был создан патч отмены</translation>
    </message>
    <message numerus="yes">
        <source>%1 to %2, %n byte</source>
        <translation>
            <numerusform>от %1 до %2, %n байт</numerusform>
            <numerusform>от %1 до %2, %n байта</numerusform>
            <numerusform>от %1 до %2, %n байт</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 to %2, %n bytes</source>
        <translation>
            <numerusform>от %1 до %2, %n байт</numerusform>
            <numerusform>от %1 до %2, %n байта</numerusform>
            <numerusform>от %1 до %2, %n байт</numerusform>
        </translation>
    </message>
    <message>
        <source>Firmware bytes: %1</source>
        <translation>Байты прошивки: %1</translation>
    </message>
    <message>
        <source>Erased: %1</source>
        <translation>Стёрто: %1</translation>
    </message>
    <message>
        <source>Table entry at %1, pointing at the %2 at %3</source>
        <translation>Запись таблицы по адресу %1, указывает на %2 по адресу %3</translation>
    </message>
    <message>
        <source>The patch writes %1</source>
        <translation>Патч записывает %1</translation>
    </message>
    <message>
        <source>--patch marks the map: give --svg FILE too</source>
        <translation>--patch отмечает карту: укажите и --svg FILE</translation>
    </message>
    <message>
        <source>extract needs -o DIR</source>
        <translation>для extract нужен -o DIR</translation>
    </message>
    <message>
        <source>apply needs -o OUT</source>
        <translation>для apply нужен -o OUT</translation>
    </message>
    <message>
        <source>revert needs -o REVERT.s3</source>
        <translation>для revert нужен -o REVERT.s3</translation>
    </message>
    <message>
        <source>revert --json prints the report: -o must name a file</source>
        <translation>revert --json выводит отчёт: -o должен указывать файл</translation>
    </message>
    <message>
        <source>convert needs -o OUT</source>
        <translation>для convert нужен -o OUT</translation>
    </message>
    <message>
        <source>build needs -o OUT</source>
        <translation>для build нужен -o OUT</translation>
    </message>
    <message>
        <source>decode needs -o IMAGE ending in .png or .bmp</source>
        <translation>для decode нужен -o IMAGE с окончанием .png или .bmp</translation>
    </message>
    <message>
        <source>the firmware: S-records (S1/S2/S3), or a raw image (.bin, or with --base); at most 256 MiB of data</source>
        <translation>прошивка: S-записи (S1/S2/S3) или сырой образ (.bin или с --base); не более 256 МиБ данных</translation>
    </message>
    <message>
        <source>a ZIP64 archive, which handsets may refuse</source>
        <translation>архив ZIP64, который телефон может не принять</translation>
    </message>
    <message numerus="yes">
        <source>%1 (%n byte)</source>
        <translation>
            <numerusform>%1 (%n байт)</numerusform>
            <numerusform>%1 (%n байта)</numerusform>
            <numerusform>%1 (%n байт)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 (%n bytes)</source>
        <translation>
            <numerusform>%1 (%n байт)</numerusform>
            <numerusform>%1 (%n байта)</numerusform>
            <numerusform>%1 (%n байт)</numerusform>
        </translation>
    </message>
    <message>
        <source>entries giving another size: %1</source>
        <translation>записи с другим размером: %1</translation>
    </message>
    <message numerus="yes">
        <source>%1 erased, %n byte</source>
        <translation>
            <numerusform>%1 стёрто, %n байт</numerusform>
            <numerusform>%1 стёрто, %n байта</numerusform>
            <numerusform>%1 стёрто, %n байт</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 erased, %n bytes</source>
        <translation>
            <numerusform>%1 стёрто, %n байт</numerusform>
            <numerusform>%1 стёрто, %n байта</numerusform>
            <numerusform>%1 стёрто, %n байт</numerusform>
        </translation>
    </message>
    <message>
        <source>The search for melodies and Java files stopped at %1: the bytes from there on hold too many false starts of them for its work limit, so such files there may not be listed</source>
        <translation>Поиск мелодий и Java-файлов остановлен на %1: дальше в байтах слишком много ложных начал таких файлов для его предела работы, поэтому такие файлы там могут быть не перечислены</translation>
    </message>
    <message>
        <source>To make it the current data set: tarvex-cli use %1</source>
        <translation>Чтобы сделать его текущим набором данных: tarvex-cli use %1</translation>
    </message>
    <message>
        <source>To use it, give --firmware %1 before the command: tarvex-cli --firmware %1 info</source>
        <translation>Чтобы работать с ним, укажите --firmware %1 перед командой: tarvex-cli --firmware %1 info</translation>
    </message>
    <message>
        <source>y</source>
        <translation>д</translation>
    </message>
    <message>
        <source>There is no data set in %1</source>
        <translation>В %1 нет ни одного набора данных</translation>
    </message>
    <message>
        <source>Data sets in %1 (* marks the current one):</source>
        <translation>Наборы данных в %1 (* — текущий):</translation>
    </message>
    <message>
        <source>demonstration data set: never flash a patch built from it</source>
        <translation>демонстрационный набор данных: никогда не прошивайте собранный из него патч</translation>
    </message>
    <message>
        <source>in use by %1</source>
        <translation>сейчас использует %1</translation>
    </message>
    <message>
        <source>check finds %1</source>
        <translation>проверка находит %1</translation>
    </message>
    <message>
        <source>None is current (%1 is not there): choose one with tarvex-cli use ID</source>
        <translation>Текущего набора нет (%1 отсутствует): выберите его командой tarvex-cli use ID</translation>
    </message>
    <message>
        <source>%1 is the current data set already</source>
        <translation>%1 уже текущий набор данных</translation>
    </message>
    <message>
        <source>The choice of %1 could not be stored in %2</source>
        <translation>Выбор %1 не удалось сохранить в %2</translation>
    </message>
    <message>
        <source>%1 is the current data set now: the commands use it, and the window from its next start</source>
        <translation>%1 теперь текущий набор данных: команды работают с ним, а окно — со следующего запуска</translation>
    </message>
    <message>
        <source>The data set %1 is in use by %2: it can be removed once that has finished</source>
        <translation>Набор данных %1 сейчас использует %2: удалить его можно будет, когда эта работа закончится</translation>
    </message>
    <message>
        <source>The data set %1 cannot be locked: it is left as it is</source>
        <translation>Набор данных %1 не удаётся заблокировать: он оставлен как есть</translation>
    </message>
    <message>
        <source>%1 cannot be moved to the trash: %2</source>
        <translation>%1 нельзя переместить в корзину: %2</translation>
    </message>
    <message>
        <source>%1 could not be moved to the trash, and it is not deleted instead: it is left as it is</source>
        <translation>%1 не удалось переместить в корзину, а удалять его вместо этого не стали: он оставлен как есть</translation>
    </message>
    <message>
        <source>%1 is a link, not a data set folder of its own: it is left as it is, and so is what it leads to</source>
        <translation>%1 — ссылка, а не собственная папка набора данных: она оставлена как есть, как и то, на что она указывает</translation>
    </message>
    <message>
        <source>Move data set %1, the current one, to the trash? [y/N]</source>
        <translation>Переместить текущий набор данных %1 в корзину? [д/Н]</translation>
    </message>
    <message>
        <source>Move data set %1 to the trash? [y/N]</source>
        <translation>Переместить набор данных %1 в корзину? [д/Н]</translation>
    </message>
    <message>
        <source>remove asks before it removes: run it on a terminal, or give --yes</source>
        <translation>remove спрашивает перед удалением: запустите её в терминале или укажите --yes</translation>
    </message>
    <message>
        <source>%1 is left as it is: the removal was not confirmed</source>
        <translation>%1 оставлен как есть: удаление не подтверждено</translation>
    </message>
    <message>
        <source>Data set %1 was moved to the trash</source>
        <translation>Набор данных %1 перемещён в корзину</translation>
    </message>
    <message>
        <source>It is the bundled demonstration data set: the next start copies it afresh</source>
        <translation>Это демонстрационный набор данных из поставки: следующий запуск скопирует его заново</translation>
    </message>
    <message>
        <source>It was the current data set: none is current now; choose one with tarvex-cli use ID</source>
        <translation>Это был текущий набор данных: теперь текущего нет; выберите его командой tarvex-cli use ID</translation>
    </message>
    <message>
        <source>a data set: a firmware folder&apos;s name as firmwares lists it</source>
        <translation>набор данных: имя папки прошивки, как его выводит firmwares</translation>
    </message>
    <message>
        <source>the data sets of the user folder: the current one, the demonstration one, those in use and those check refuses</source>
        <translation>наборы данных папки пользователя: текущий, демонстрационный, занятые и те, что отвергает check</translation>
    </message>
    <message>
        <source>makes ID the current data set, as the window&apos;s firmware choice does</source>
        <translation>делает ID текущим набором данных, как выбор прошивки в окне</translation>
    </message>
    <message>
        <source>moves data set ID to the desktop&apos;s trash, after asking on the terminal</source>
        <translation>перемещает набор данных ID в корзину рабочего стола, спросив в терминале</translation>
    </message>
    <message>
        <source>do not ask (for scripts: without a terminal remove refuses to run)</source>
        <translation>не спрашивать (для сценариев: без терминала remove отказывается работать)</translation>
    </message>
    <message>
        <source>it is a link</source>
        <translation>это ссылка</translation>
    </message>
    <message>
        <source>it is not a folder</source>
        <translation>это не папка</translation>
    </message>
    <message>
        <source>the trash did not take it</source>
        <translation>корзина его не приняла</translation>
    </message>
    <message>
        <source>None is current: choose one with tarvex-cli use ID</source>
        <translation>Текущего набора нет: выберите его командой tarvex-cli use ID</translation>
    </message>
    <message>
        <source>no trash could be set up</source>
        <translation>корзину не удалось подготовить</translation>
    </message>
    <message>
        <source>no trash could be set up; it was moved to %1 and not back</source>
        <translation>корзину не удалось подготовить; он перемещён в %1 и не возвращён обратно</translation>
    </message>
    <message>
        <source>warning: %1 is the bundled demonstration data set: its addresses are examples, never flash this onto a handset</source>
        <translation>предупреждение: %1 — демонстрационный набор данных из поставки: его адреса условны, никогда не прошивайте это в телефон</translation>
    </message>
    <message>
        <source>An address range is START-END with END its last byte, as every command prints one, so a printed range can be given to any option taking one.</source>
        <translation>Диапазон адресов записывается как START-END, где END — его последний байт, так, как его выводит каждая команда, поэтому выведенный диапазон можно передать любому параметру, который принимает диапазон.</translation>
    </message>
    <message>
        <source>%1 must be START-END, two addresses with END the region&apos;s last byte, not below START: %2</source>
        <translation>%1 должен быть START-END, два адреса, где END — последний байт области, не меньше START: %2</translation>
    </message>
    <message>
        <source>switch the melody page on, new melodies going from A to B, B the last byte</source>
        <translation>включить страницу мелодий, новые мелодии размещаются от A до B, B — последний байт</translation>
    </message>
    <message>
        <source>switch the Java page on, new Java files going from A to B, B the last byte</source>
        <translation>включить страницу Java, новые Java-файлы размещаются от A до B, B — последний байт</translation>
    </message>
    <message>
        <source>switch the picture page on, new pictures going from A to B, B the last byte</source>
        <translation>включить страницу картинок, новые картинки размещаются от A до B, B — последний байт</translation>
    </message>
    <message>
        <source>%1: [%2] %3; &quot;tarvex-cli check&quot; lists every fault of the data set</source>
        <translation>%1: [%2] %3; &quot;tarvex-cli check&quot; перечисляет все ошибки набора данных</translation>
    </message>
    <message>
        <source>the help text cannot be read</source>
        <translation>не удаётся прочитать текст справки</translation>
    </message>
    <message>
        <source>this help; COMMAND --help describes a command</source>
        <translation>эта справка; COMMAND --help описывает команду</translation>
    </message>
    <message>
        <source>the file cannot be read</source>
        <translation>файл не удаётся прочитать</translation>
    </message>
    <message numerus="yes">
        <source>the file is too large to read (%n byte)</source>
        <translation>
            <numerusform>файл слишком велик, чтобы его читать (%n байт)</numerusform>
            <numerusform>файл слишком велик, чтобы его читать (%n байта)</numerusform>
            <numerusform>файл слишком велик, чтобы его читать (%n байт)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the file is too large to read (%n bytes)</source>
        <translation>
            <numerusform>файл слишком велик, чтобы его читать (%n байт)</numerusform>
            <numerusform>файл слишком велик, чтобы его читать (%n байта)</numerusform>
            <numerusform>файл слишком велик, чтобы его читать (%n байт)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the SMAF data says %n byte, the file holds %1</source>
        <translation>
            <numerusform>данные SMAF говорят о %n байте, а в файле их %1</numerusform>
            <numerusform>данные SMAF говорят о %n байтах, а в файле их %1</numerusform>
            <numerusform>данные SMAF говорят о %n байтах, а в файле их %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the SMAF data says %n bytes, the file holds %1</source>
        <translation>
            <numerusform>данные SMAF говорят о %n байте, а в файле их %1</numerusform>
            <numerusform>данные SMAF говорят о %n байтах, а в файле их %1</numerusform>
            <numerusform>данные SMAF говорят о %n байтах, а в файле их %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n byte follows the MIDI file&apos;s last chunk</source>
        <translation>
            <numerusform>за последним блоком файла MIDI лишний %n байт</numerusform>
            <numerusform>за последним блоком файла MIDI лишние %n байта</numerusform>
            <numerusform>за последним блоком файла MIDI лишние %n байт</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n bytes follow the MIDI file&apos;s last chunk</source>
        <translation>
            <numerusform>за последним блоком файла MIDI лишний %n байт</numerusform>
            <numerusform>за последним блоком файла MIDI лишние %n байта</numerusform>
            <numerusform>за последним блоком файла MIDI лишние %n байт</numerusform>
        </translation>
    </message>
    <message>
        <source>the JAR is not a valid ZIP archive</source>
        <translation>JAR не является правильным архивом ZIP</translation>
    </message>
    <message>
        <source>the JAR&apos;s entry %1 cannot be read</source>
        <translation>запись %1 в JAR не удаётся прочитать</translation>
    </message>
    <message numerus="yes">
        <source>the JAR unpacks to more than %n byte: the entries from %1 on are not read</source>
        <translation>
            <numerusform>JAR распаковывается больше чем в %n байт: записи начиная с %1 не прочитаны</numerusform>
            <numerusform>JAR распаковывается больше чем в %n байта: записи начиная с %1 не прочитаны</numerusform>
            <numerusform>JAR распаковывается больше чем в %n байт: записи начиная с %1 не прочитаны</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the JAR unpacks to more than %n bytes: the entries from %1 on are not read</source>
        <translation>
            <numerusform>JAR распаковывается больше чем в %n байт: записи начиная с %1 не прочитаны</numerusform>
            <numerusform>JAR распаковывается больше чем в %n байта: записи начиная с %1 не прочитаны</numerusform>
            <numerusform>JAR распаковывается больше чем в %n байт: записи начиная с %1 не прочитаны</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the JAD is %n byte; a JAD is at most %1</source>
        <translation>
            <numerusform>JAD занимает %n байт, а JAD бывает не больше %1</numerusform>
            <numerusform>JAD занимает %n байта, а JAD бывает не больше %1</numerusform>
            <numerusform>JAD занимает %n байт, а JAD бывает не больше %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the JAD is %n bytes; a JAD is at most %1</source>
        <translation>
            <numerusform>JAD занимает %n байт, а JAD бывает не больше %1</numerusform>
            <numerusform>JAD занимает %n байта, а JAD бывает не больше %1</numerusform>
            <numerusform>JAD занимает %n байт, а JAD бывает не больше %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>cut short: %1 of %n track present</source>
        <translation>
            <numerusform>файл обрезан: из %n дорожки есть %1</numerusform>
            <numerusform>файл обрезан: из %n дорожек есть %1</numerusform>
            <numerusform>файл обрезан: из %n дорожек есть %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>cut short: %1 of %n tracks present</source>
        <translation>
            <numerusform>файл обрезан: из %n дорожки есть %1</numerusform>
            <numerusform>файл обрезан: из %n дорожек есть %1</numerusform>
            <numerusform>файл обрезан: из %n дорожек есть %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>cut short: the RIFF data says %n byte, %1 are present</source>
        <translation>
            <numerusform>файл обрезан: данные RIFF говорят о %n байте, а есть %1</numerusform>
            <numerusform>файл обрезан: данные RIFF говорят о %n байтах, а есть %1</numerusform>
            <numerusform>файл обрезан: данные RIFF говорят о %n байтах, а есть %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>cut short: the RIFF data says %n bytes, %1 are present</source>
        <translation>
            <numerusform>файл обрезан: данные RIFF говорят о %n байте, а есть %1</numerusform>
            <numerusform>файл обрезан: данные RIFF говорят о %n байтах, а есть %1</numerusform>
            <numerusform>файл обрезан: данные RIFF говорят о %n байтах, а есть %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>cut short: the SMAF data says %n byte, %1 are present</source>
        <translation>
            <numerusform>файл обрезан: данные SMAF говорят о %n байте, а есть %1</numerusform>
            <numerusform>файл обрезан: данные SMAF говорят о %n байтах, а есть %1</numerusform>
            <numerusform>файл обрезан: данные SMAF говорят о %n байтах, а есть %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>cut short: the SMAF data says %n bytes, %1 are present</source>
        <translation>
            <numerusform>файл обрезан: данные SMAF говорят о %n байте, а есть %1</numerusform>
            <numerusform>файл обрезан: данные SMAF говорят о %n байтах, а есть %1</numerusform>
            <numerusform>файл обрезан: данные SMAF говорят о %n байтах, а есть %1</numerusform>
        </translation>
    </message>
    <message>
        <source>the list holds a NUL character, so what follows it could not be read</source>
        <translation>в списке есть символ NUL, и то, что идёт за ним, прочитать не удалось</translation>
    </message>
    <message>
        <source>the line is longer than %1 characters, which no list line is</source>
        <translation>строка длиннее %1 символов, каких в списках не бывает</translation>
    </message>
    <message>
        <source>%1:%2: %3; nothing of the %4 manager is changed while it is there</source>
        <translation>%1:%2: %3; пока это так, в менеджере %4 ничего не меняется</translation>
    </message>
    <message>
        <source>Is a directory</source>
        <translation>Это каталог</translation>
    </message>
    <message>
        <source>%1 is not a file this program wrote</source>
        <translation>%1 — не файл, записанный этой программой</translation>
    </message>
    <message>
        <source>%1 could not replace %2</source>
        <translation>%1 не удалось поставить на место %2</translation>
    </message>
    <message>
        <source>The save recorded in %1 could not be finished: %2. Nothing is changed until it is: put the new files it names in place by hand, or remove %1 to keep the old ones</source>
        <translation>Сохранение, записанное в %1, не удалось завершить: %2. Пока оно не завершено, ничего не меняется: поставьте названные в нём новые файлы на место вручную или удалите %1, чтобы оставить старые</translation>
    </message>
    <message>
        <source>it is not a plain file</source>
        <translation>это не обычный файл</translation>
    </message>
    <message>
        <source>Cannot find the folder for the user&apos;s data: HOME is not set and XDG_DATA_HOME is not an absolute path</source>
        <translation>Не найдена папка для данных пользователя: переменная HOME не задана, а XDG_DATA_HOME не является абсолютным путём</translation>
    </message>
    <message>
        <source>the firmware id &quot;%1&quot; is not a folder name</source>
        <translation>идентификатор прошивки «%1» не является именем папки</translation>
    </message>
    <message>
        <source>Unknown error</source>
        <translation>Неизвестная ошибка</translation>
    </message>
    <message numerus="yes">
        <source>the %1 file at %2 (%n byte): no table entry points at it</source>
        <translation>
            <numerusform>файл %1 по адресу %2 (%n байт): на него не указывает ни одна запись таблицы</numerusform>
            <numerusform>файл %1 по адресу %2 (%n байта): на него не указывает ни одна запись таблицы</numerusform>
            <numerusform>файл %1 по адресу %2 (%n байт): на него не указывает ни одна запись таблицы</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the %1 file at %2 (%n bytes): no table entry points at it</source>
        <translation>
            <numerusform>файл %1 по адресу %2 (%n байт): на него не указывает ни одна запись таблицы</numerusform>
            <numerusform>файл %1 по адресу %2 (%n байта): на него не указывает ни одна запись таблицы</numerusform>
            <numerusform>файл %1 по адресу %2 (%n байт): на него не указывает ни одна запись таблицы</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the JAD at %1 (entry %2) names a JAR of %n byte that no entry points at</source>
        <translation>
            <numerusform>JAD по адресу %1 (запись %2) называет JAR размером %n байт, на который не указывает ни одна запись</numerusform>
            <numerusform>JAD по адресу %1 (запись %2) называет JAR размером %n байта, на который не указывает ни одна запись</numerusform>
            <numerusform>JAD по адресу %1 (запись %2) называет JAR размером %n байт, на который не указывает ни одна запись</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the JAD at %1 (entry %2) names a JAR of %n bytes that no entry points at</source>
        <translation>
            <numerusform>JAD по адресу %1 (запись %2) называет JAR размером %n байт, на который не указывает ни одна запись</numerusform>
            <numerusform>JAD по адресу %1 (запись %2) называет JAR размером %n байта, на который не указывает ни одна запись</numerusform>
            <numerusform>JAD по адресу %1 (запись %2) называет JAR размером %n байт, на который не указывает ни одна запись</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 in %2, %3</source>
        <translation>%1, %2, %3</translation>
    </message>
    <message numerus="yes">
        <source>%n range</source>
        <translation>
            <numerusform>%n диапазон</numerusform>
            <numerusform>%n диапазона</numerusform>
            <numerusform>%n диапазонов</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n ranges</source>
        <translation>
            <numerusform>%n диапазон</numerusform>
            <numerusform>%n диапазона</numerusform>
            <numerusform>%n диапазонов</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n record</source>
        <translation>
            <numerusform>%n запись</numerusform>
            <numerusform>%n записи</numerusform>
            <numerusform>%n записей</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n records</source>
        <translation>
            <numerusform>%n запись</numerusform>
            <numerusform>%n записи</numerusform>
            <numerusform>%n записей</numerusform>
        </translation>
    </message>
    <message>
        <source>the working copy of the JAD of slot %1 could not be corrected</source>
        <translation>рабочую копию JAD слота %1 исправить не удалось</translation>
    </message>
    <message>
        <source>Cannot start %1</source>
        <translation>Не удаётся запустить %1</translation>
    </message>
    <message>
        <source>volume must be 1 to 127: %1</source>
        <translation>громкость должна быть от 1 до 127: %1</translation>
    </message>
    <message numerus="yes">
        <source>The memory is %n byte short. Remove or replace files to create the patch.</source>
        <translation>
            <numerusform>Памяти не хватает на %n байт. Уберите или замените файлы, чтобы создать патч.</numerusform>
            <numerusform>Памяти не хватает на %n байта. Уберите или замените файлы, чтобы создать патч.</numerusform>
            <numerusform>Памяти не хватает на %n байт. Уберите или замените файлы, чтобы создать патч.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The memory is %n bytes short. Remove or replace files to create the patch.</source>
        <translation>
            <numerusform>Памяти не хватает на %n байт. Уберите или замените файлы, чтобы создать патч.</numerusform>
            <numerusform>Памяти не хватает на %n байта. Уберите или замените файлы, чтобы создать патч.</numerusform>
            <numerusform>Памяти не хватает на %n байт. Уберите или замените файлы, чтобы создать патч.</numerusform>
        </translation>
    </message>
    <message>
        <source>Not a valid handset picture: %1 at offset %2</source>
        <translation>Неверная картинка в формате картинок телефона: %1, смещение %2</translation>
    </message>
    <message>
        <source>the records end early</source>
        <translation>записи обрываются раньше времени</translation>
    </message>
    <message numerus="yes">
        <source>longer than any picture (%n byte)</source>
        <translation>
            <numerusform>длиннее любой картинки (%n байт)</numerusform>
            <numerusform>длиннее любой картинки (%n байта)</numerusform>
            <numerusform>длиннее любой картинки (%n байт)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>longer than any picture (%n bytes)</source>
        <translation>
            <numerusform>длиннее любой картинки (%n байт)</numerusform>
            <numerusform>длиннее любой картинки (%n байта)</numerusform>
            <numerusform>длиннее любой картинки (%n байт)</numerusform>
        </translation>
    </message>
    <message>
        <source>bad format byte %1 (0x09 expected)</source>
        <translation>неверный байт формата %1 (ожидался 0x09)</translation>
    </message>
    <message>
        <source>bad palette size %1 (1 to 127 expected)</source>
        <translation>неверный размер палитры %1 (ожидалось от 1 до 127)</translation>
    </message>
    <message>
        <source>the file ends early</source>
        <translation>файл обрывается раньше времени</translation>
    </message>
    <message>
        <source>wrong trailer (width and height 1 to 255, each followed by 0x00, expected)</source>
        <translation>неверный конец файла (ожидались ширина и высота от 1 до 255, за каждой 0x00)</translation>
    </message>
    <message>
        <source>bad run record %1</source>
        <translation>неверная запись серии %1</translation>
    </message>
    <message numerus="yes">
        <source>a run of %n pixel goes past the pixel count (%1 before the closing record)</source>
        <translation>
            <numerusform>серия из %n точки выходит за число точек (%1 до закрывающей записи)</numerusform>
            <numerusform>серия из %n точек выходит за число точек (%1 до закрывающей записи)</numerusform>
            <numerusform>серия из %n точек выходит за число точек (%1 до закрывающей записи)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>a run of %n pixels goes past the pixel count (%1 before the closing record)</source>
        <translation>
            <numerusform>серия из %n точки выходит за число точек (%1 до закрывающей записи)</numerusform>
            <numerusform>серия из %n точек выходит за число точек (%1 до закрывающей записи)</numerusform>
            <numerusform>серия из %n точек выходит за число точек (%1 до закрывающей записи)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>palette index %1 out of range (%n entry)</source>
        <translation>
            <numerusform>номер цвета %1 за пределами палитры (в ней %n цвет)</numerusform>
            <numerusform>номер цвета %1 за пределами палитры (в ней %n цвета)</numerusform>
            <numerusform>номер цвета %1 за пределами палитры (в ней %n цветов)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>palette index %1 out of range (%n entries)</source>
        <translation>
            <numerusform>номер цвета %1 за пределами палитры (в ней %n цвет)</numerusform>
            <numerusform>номер цвета %1 за пределами палитры (в ней %n цвета)</numerusform>
            <numerusform>номер цвета %1 за пределами палитры (в ней %n цветов)</numerusform>
        </translation>
    </message>
    <message>
        <source>closing record expected (0x81), %1 found</source>
        <translation>ожидалась закрывающая запись (0x81), найдено %1</translation>
    </message>
    <message>
        <source>bad pad byte (0x00 expected)</source>
        <translation>неверный байт выравнивания (ожидался 0x00)</translation>
    </message>
    <message numerus="yes">
        <source>wrong trailer (%n byte after the records instead of 4)</source>
        <translation>
            <numerusform>неверный конец файла (после записей %n байт вместо 4)</numerusform>
            <numerusform>неверный конец файла (после записей %n байта вместо 4)</numerusform>
            <numerusform>неверный конец файла (после записей %n байт вместо 4)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>wrong trailer (%n bytes after the records instead of 4)</source>
        <translation>
            <numerusform>неверный конец файла (после записей %n байт вместо 4)</numerusform>
            <numerusform>неверный конец файла (после записей %n байта вместо 4)</numerusform>
            <numerusform>неверный конец файла (после записей %n байт вместо 4)</numerusform>
        </translation>
    </message>
    <message>
        <source>no process reads from it</source>
        <translation>из него не читает ни один процесс</translation>
    </message>
    <message>
        <source>no process writes into it</source>
        <translation>в него не пишет ни один процесс</translation>
    </message>
    <message numerus="yes">
        <source>%n choice carried to the new set</source>
        <translation>
            <numerusform>%n выбор перенесён в новый набор</numerusform>
            <numerusform>%n выбора перенесены в новый набор</numerusform>
            <numerusform>%n выборов перенесено в новый набор</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n choices carried to the new set</source>
        <translation>
            <numerusform>%n выбор перенесён в новый набор</numerusform>
            <numerusform>%n выбора перенесены в новый набор</numerusform>
            <numerusform>%n выборов перенесено в новый набор</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n choice left behind: its slot stays standard</source>
        <translation>
            <numerusform>%n выбор не перенесён: его слот остаётся стандартным</numerusform>
            <numerusform>%n выбора не перенесены: их слоты остаются стандартными</numerusform>
            <numerusform>%n выборов не перенесено: их слоты остаются стандартными</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n choices left behind: their slots stay standard</source>
        <translation>
            <numerusform>%n выбор не перенесён: их слоты остаются стандартными</numerusform>
            <numerusform>%n выбора не перенесены: их слоты остаются стандартными</numerusform>
            <numerusform>%n выборов не перенесено: их слоты остаются стандартными</numerusform>
        </translation>
    </message>
    <message>
        <source>the volume of melody slot %1</source>
        <translation>громкость мелодии слота %1</translation>
    </message>
    <message>
        <source>left behind: %1, %2: %3</source>
        <translation>не перенесено: %1, %2: %3</translation>
    </message>
    <message>
        <source>carried to the new set: %1, %2</source>
        <translation>перенесено в новый набор: %1, %2</translation>
    </message>
    <message>
        <source>carried to the new set: %1, %2, %3</source>
        <translation>перенесено в новый набор: %1, %2, %3</translation>
    </message>
    <message>
        <source>its working copy %1 cannot be read: %2</source>
        <translation>рабочую копию %1 не удаётся прочитать: %2</translation>
    </message>
    <message>
        <source>its working copy %1 is a link</source>
        <translation>его рабочая копия %1 — ссылка</translation>
    </message>
    <message>
        <source>its working copy %1 is missing</source>
        <translation>его рабочей копии %1 нет</translation>
    </message>
    <message>
        <source>the new set has no slot that takes it one to one</source>
        <translation>в новом наборе нет слота, который соответствует ему один к одному</translation>
    </message>
    <message>
        <source>its recorded size is not a size in bytes</source>
        <translation>записанный размер — не размер в байтах</translation>
    </message>
    <message>
        <source>its name names no working copy</source>
        <translation>его имя не называет рабочую копию</translation>
    </message>
    <message>
        <source>the other half of its game stays behind</source>
        <translation>вторая половина его игры не переносится</translation>
    </message>
    <message>
        <source>it does not fit: %1 needed, %2 left of %3</source>
        <translation>не помещается: нужно %1, свободно %2 из %3</translation>
    </message>
    <message>
        <source>not a volume from 01 to 7F</source>
        <translation>не громкость от 01 до 7F</translation>
    </message>
    <message>
        <source>the new set does not read back what was written</source>
        <translation>новый набор не читается так, как был записан</translation>
    </message>
</context>
<context>
    <name>ReportDialog</name>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Закрыть</translation>
    </message>
</context>
<context>
    <name>StartUp</name>
    <message>
        <source>No folder for the user&apos;s data: HOME is not set, and XDG_DATA_HOME is not set or not an absolute path</source>
        <translation>Не найдена папка для данных пользователя: переменная HOME не задана, а XDG_DATA_HOME не задана или не является абсолютным путём</translation>
    </message>
    <message>
        <source>%1, line %2: %3</source>
        <translation>%1, строка %2: %3</translation>
    </message>
    <message>
        <source>a NUL character, the text after it was not read</source>
        <translation>нулевой символ, текст после него не прочитан</translation>
    </message>
    <message>
        <source>a line too long</source>
        <translation>слишком длинная строка</translation>
    </message>
    <message>
        <source>Lists not read whole:
%1
So that nothing is lost, changes on their pages are off. Mend the lists and start the program again.</source>
        <translation>Списки прочитаны не полностью:
%1
Чтобы ничего не потерять, изменения на их страницах отключены. Исправьте списки и запустите программу снова.</translation>
    </message>
    <message>
        <source>The working folder %1 is a link or not a folder. The program will neither write files into it nor delete files from it.</source>
        <translation>Рабочая папка %1 является ссылкой или не является папкой. Программа не будет ни записывать в неё, ни удалять из неё файлы.</translation>
    </message>
    <message>
        <source> (read only)</source>
        <translation> (только чтение)</translation>
    </message>
    <message>
        <source>Read only: %1 changes the data.</source>
        <translation>Только чтение: данные изменяет %1.</translation>
    </message>
    <message numerus="yes">
        <source>The data set has %n error(s): Settings → Check data set...</source>
        <translation>
            <numerusform>В наборе данных %n ошибка: Настройки → Проверить набор данных...</numerusform>
            <numerusform>В наборе данных %n ошибки: Настройки → Проверить набор данных...</numerusform>
            <numerusform>В наборе данных %n ошибок: Настройки → Проверить набор данных...</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TarvexError</name>
    <message>
        <source>Cannot open file %1</source>
        <translation>Не удаётся открыть файл %1</translation>
    </message>
    <message>
        <source>Cannot create file %1</source>
        <translation>Не удаётся создать файл %1</translation>
    </message>
    <message>
        <source>Cannot write file %1</source>
        <translation>Не удаётся записать файл %1</translation>
    </message>
    <message>
        <source>Stream read error</source>
        <translation>Ошибка чтения потока</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation>&apos;%1&apos; — недопустимое целое число</translation>
    </message>
    <message>
        <source>List index out of bounds (%1)</source>
        <translation>Индекс списка вне границ (%1)</translation>
    </message>
    <message>
        <source>Integer overflow</source>
        <translation>Целочисленное переполнение</translation>
    </message>
    <message>
        <source>Invalid data type for &apos;%1&apos;</source>
        <translation>Недопустимый тип данных для &apos;%1&apos;</translation>
    </message>
    <message>
        <source>&apos;%1&apos; cannot be written in code page 1251</source>
        <translation>&apos;%1&apos; нельзя записать в кодировке 1251</translation>
    </message>
    <message>
        <source>Out of memory</source>
        <translation>Недостаточно памяти</translation>
    </message>
    <message>
        <source>JPEG error #%1</source>
        <translation>Ошибка JPEG №%1</translation>
    </message>
    <message>
        <source>standard output</source>
        <translation>стандартный вывод</translation>
    </message>
    <message>
        <source>Cannot write to standard output</source>
        <translation>Не удаётся записать в стандартный вывод</translation>
    </message>
</context>
<context>
    <name>UserDialogs</name>
    <message>
        <source>&amp;Replace</source>
        <translation>&amp;Заменить</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>A file named &quot;%1&quot; already exists. Do you want to replace it?</source>
        <translation>Файл с именем «%1» уже существует. Заменить его?</translation>
    </message>
    <message>
        <source>File exists</source>
        <translation>Файл существует</translation>
    </message>
</context>
</TS>
