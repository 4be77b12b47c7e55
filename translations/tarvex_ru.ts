<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>Report</name>
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
        <translation>номер цвета %1 в байте %2 за пределами палитры из %3 цветов</translation>
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
        <source>%1 lines, but %2 has %3</source>
        <translation>строк: %1, а в %2 их %3</translation>
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
        <source>the size of the %1 overflows 32 bits</source>
        <translation>размер: %1 не помещается в 32 бита</translation>
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
        <source>the %1 at %2 overlaps the %3 (%4 line %5)</source>
        <translation>%1 по адресу %2 пересекается с: %3 (%4, строка %5)</translation>
    </message>
    <message>
        <source>the %1 at %2 lies inside the %3</source>
        <translation>%1 по адресу %2 лежит внутри: %3</translation>
    </message>
    <message>
        <source>not a data set&apos;s Data folder</source>
        <translation>не папка Data набора данных</translation>
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
        <source>the bitmap is %1 x %2 pixels, the slot takes %3 x %4</source>
        <translation>картинка %1 x %2 точек, а слот принимает %3 x %4</translation>
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
        <source>the help text cannot be read</source>
        <translation>не удаётся прочитать текст справки</translation>
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
        <translation>патч пишет только %1 из %2 байтов по адресу %3</translation>
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
</context>
</TS>
