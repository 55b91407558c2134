<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="uk_UA" sourcelanguage="ru_RU">
<context>
    <name>Checks</name>
    <message>
        <source>плательщика</source>
        <translation>платника</translation>
    </message>
    <message>
        <source>получателя</source>
        <translation>отримувача</translation>
    </message>
    <message>
        <source> символов</source>
        <translation> символів</translation>
    </message>
    <message>
        <source> символ</source>
        <translation> символ</translation>
    </message>
    <message>
        <source> символа</source>
        <translation> символи</translation>
    </message>
    <message>
        <source>кириллическая буква </source>
        <translation>кирилична літера </translation>
    </message>
    <message>
        <source>строчная буква </source>
        <translation>мала літера </translation>
    </message>
    <message>
        <source>пробел</source>
        <translation>пробіл</translation>
    </message>
    <message>
        <source>управляющий символ</source>
        <translation>керівний символ</translation>
    </message>
    <message>
        <source>недопустимый символ </source>
        <translation>неприпустимий символ </translation>
    </message>
    <message>
        <source> (позиция </source>
        <translation> (позиція </translation>
    </message>
    <message>
        <source>в коде страны </source>
        <translation>у коді країни </translation>
    </message>
    <message>
        <source>неизвестный код страны </source>
        <translation>невідомий код країни </translation>
    </message>
    <message>
        <source>должен содержать </source>
        <translation>має містити </translation>
    </message>
    <message>
        <source>, а содержит </source>
        <translation>, а містить </translation>
    </message>
    <message>
        <source>на позиции </source>
        <translation>на позиції </translation>
    </message>
    <message>
        <source> должна быть </source>
        <translation> має бути </translation>
    </message>
    <message>
        <source>буква</source>
        <translation>літера</translation>
    </message>
    <message>
        <source>цифра</source>
        <translation>цифра</translation>
    </message>
    <message>
        <source>, а не </source>
        <translation>, а не </translation>
    </message>
    <message>
        <source>неверная контрольная сумма</source>
        <translation>неправильна контрольна сума</translation>
    </message>
    <message>
        <source>Код ОКПО </source>
        <translation>Код за ЄДРПОУ/РНОКПП </translation>
    </message>
    <message>
        <source>: допустимы только цифры</source>
        <translation>: допустимі лише цифри</translation>
    </message>
    <message>
        <source>: должен содержать 8 цифр (ЄДРПОУ), 10 (РНОКПП), 9 (ID-карта) или серию и номер паспорта (две буквы и 6 цифр), а содержит </source>
        <translation>: має містити 8 цифр (ЄДРПОУ), 10 (РНОКПП), 9 (ID-картка) або серію та номер паспорта (дві літери та 6 цифр), а містить </translation>
    </message>
    <message>
        <source>Паспорт </source>
        <translation>Паспорт </translation>
    </message>
    <message>
        <source>: серия пишется двумя заглавными буквами украинского алфавита</source>
        <translation>: серію пишуть двома великими літерами українського алфавіту</translation>
    </message>
    <message>
        <source>Код ЄДРПОУ </source>
        <translation>Код за ЄДРПОУ </translation>
    </message>
    <message>
        <source>РНОКПП </source>
        <translation>РНОКПП </translation>
    </message>
    <message>
        <source>: неверная контрольная цифра</source>
        <translation>: неправильна контрольна цифра</translation>
    </message>
    <message>
        <source>МФО </source>
        <translation>МФО </translation>
    </message>
    <message>
        <source> не совпадает с кодом банка в IBAN (</source>
        <translation> не збігається з кодом банку в IBAN (</translation>
    </message>
    <message>
        <source>Назначение платежа: </source>
        <translation>Призначення платежу: </translation>
    </message>
    <message>
        <source>код вида платежа «</source>
        <translation>код виду платежу «</translation>
    </message>
    <message>
        <source>» должен состоять из трех цифр</source>
        <translation>» має складатися з трьох цифр</translation>
    </message>
    <message>
        <source>код «</source>
        <translation>код «</translation>
    </message>
    <message>
        <source>» должен содержать 8 или 10 цифр</source>
        <translation>» має містити 8 або 10 цифр</translation>
    </message>
    <message>
        <source>» не совпадает с кодом плательщика</source>
        <translation>» не збігається з кодом платника</translation>
    </message>
    <message>
        <source>: не заполнено</source>
        <translation>: не заповнено</translation>
    </message>
    <message>
        <source>Счёт </source>
        <translation>Рахунок </translation>
    </message>
    <message>
        <source>: в платёжной инструкции указывается IBAN</source>
        <translation>: у платіжній інструкції зазначають IBAN</translation>
    </message>
    <message>
        <source>: не видно на бланке целиком</source>
        <translation>: не видно на бланку повністю</translation>
    </message>
    <message>
        <source>Перед печатью проверьте платежку:</source>
        <translation>Перед друком перевірте платіжку:</translation>
    </message>
    <message>
        <source>

Печатать как есть?</source>
        <translation>

Друкувати як є?</translation>
    </message>
    <message>
        <source>Банк %1 не совпадает с банком IBAN (%2)</source>
        <translation>Банк %1 не збігається з банком IBAN (%2)</translation>
    </message>
</context>
<context>
    <name>Editor</name>
    <message>
        <source>Ошибка создания рабочего каталога &quot;%1&quot;</source>
        <translation>Помилка створення робочої теки &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Сохранение данных</source>
        <translation>Збереження даних</translation>
    </message>
    <message>
        <source>файл не читается как платежка</source>
        <translation>файл не читається як платіжка</translation>
    </message>
    <message>
        <source>платежка № %1 от %2</source>
        <translation>платіжка № %1 від %2</translation>
    </message>
    <message>
        <source>, получатель </source>
        <translation>, отримувач </translation>
    </message>
    <message>
        <source>, сумма </source>
        <translation>, сума </translation>
    </message>
    <message>
        <source>, код </source>
        <translation>, код </translation>
    </message>
    <message>
        <source>, счёт </source>
        <translation>, рахунок </translation>
    </message>
    <message>
        <source>Файл %1 изменен после того, как был загружен (другим окном или программой): теперь в нем %2.
Заменить его?</source>
        <translation>Файл %1 змінено після того, як його було завантажено (іншим вікном або програмою): тепер у ньому %2.
Замінити його?</translation>
    </message>
    <message>
        <source>Файл %1 уже есть: %2.
Заменить его?</source>
        <translation>Файл %1 уже є: %2.
Замінити його?</translation>
    </message>
    <message>
        <source>Квирен</source>
        <translation>Квирен</translation>
    </message>
    <message>
        <source>Номер %1 уже есть у платежки %2 того же года.
Сохранить еще одну платежку с этим номером?</source>
        <translation>Номер %1 уже має платіжка %2 того самого року.
Зберегти ще одну платіжку з цим номером?</translation>
    </message>
    <message>
        <source>Платежка загружена из файла %1, а сохраняется в файл %2.
Заменить ею загруженную платежку? (Нет — оставить обе)</source>
        <translation>Платіжку завантажено з файлу %1, а зберігається вона у файл %2.
Замінити нею завантажену платіжку? (Ні — залишити обидві)</translation>
    </message>
    <message>
        <source>Сохранить изменения в документе &quot;%1&quot;?</source>
        <translation>Зберегти зміни в документі &quot;%1&quot;?</translation>
    </message>
    <message>
        <source>платежка (не задан номер)</source>
        <translation>платіжка (не задано номер)</translation>
    </message>
    <message>
        <source>реквизиты плательщика (не заданы наименование и р/с)</source>
        <translation>реквізити платника (не задано найменування та рахунок)</translation>
    </message>
    <message>
        <source>реквизиты получателя (не задано наименование)</source>
        <translation>реквізити отримувача (не задано найменування)</translation>
    </message>
    <message>
        <source>Невозможно сохранить файл с пустым именем:</source>
        <translation>Неможливо зберегти файл з порожньою назвою:</translation>
    </message>
    <message>
        <source>Открыть предварительный просмотр?</source>
        <translation>Відкрити попередній перегляд?</translation>
    </message>
    <message>
        <source>Не задан либо задан некорректно номер платежки</source>
        <translation>Не задано або некоректно задано номер платіжки</translation>
    </message>
    <message>
        <source>Некорректно задана дата</source>
        <translation>Некоректно задано дату</translation>
    </message>
    <message>
        <source>Некорректно задана сумма</source>
        <translation>Некоректно задано суму</translation>
    </message>
    <message>
        <source>Не найдена программа для просмотра документов RTF. Документ сохранён в файле &quot;%1&quot;. Установите текстовый процессор, например LibreOffice Writer.</source>
        <translation>Не знайдено програми для перегляду документів RTF. Документ збережено у файлі &quot;%1&quot;. Установіть текстовий процесор, наприклад LibreOffice Writer.</translation>
    </message>
    <message>
        <source>грн</source>
        <translation>грн</translation>
    </message>
    <message>
        <source>сумма не указана</source>
        <translation>суму не зазначено</translation>
    </message>
    <message>
        <source>Заполнено из QR-кода счёта: </source>
        <translation>Заповнено з QR-коду рахунку: </translation>
    </message>
    <message>
        <source>Реквизиты &quot;%1&quot; уже сохранены со счётом %2.
Заменить их реквизитами со счётом %3? (Нет — сохранить оба, новые под именем &quot;%4&quot;)</source>
        <translation>Реквізити &quot;%1&quot; уже збережено з рахунком %2.
Замінити їх реквізитами з рахунком %3? (Ні — зберегти обидва, нові під назвою &quot;%4&quot;)</translation>
    </message>
</context>
<context>
    <name>Fields</name>
    <message>
        <source>Номер</source>
        <translation>Номер</translation>
    </message>
    <message>
        <source>Номер платежки</source>
        <translation>Номер платіжки</translation>
    </message>
    <message>
        <source>Дата</source>
        <translation>Дата</translation>
    </message>
    <message>
        <source>Имя файла</source>
        <translation>Ім’я файлу</translation>
    </message>
    <message>
        <source>Наименование</source>
        <translation>Найменування</translation>
    </message>
    <message>
        <source>Наименование плательщика</source>
        <translation>Найменування платника</translation>
    </message>
    <message>
        <source>Банк</source>
        <translation>Банк</translation>
    </message>
    <message>
        <source>Банк плательщика</source>
        <translation>Банк платника</translation>
    </message>
    <message>
        <source>Банк плательщика, вторая строка</source>
        <translation>Банк платника, другий рядок</translation>
    </message>
    <message>
        <source>в г.</source>
        <translation>у м.</translation>
    </message>
    <message>
        <source>Город банка плательщика</source>
        <translation>Місто банку платника</translation>
    </message>
    <message>
        <source>Код ОКПО</source>
        <translation>Код ЄДРПОУ</translation>
    </message>
    <message>
        <source>Код ОКПО плательщика</source>
        <translation>Код ЄДРПОУ платника</translation>
    </message>
    <message>
        <source>МФО</source>
        <translation>МФО</translation>
    </message>
    <message>
        <source>МФО плательщика</source>
        <translation>МФО платника</translation>
    </message>
    <message>
        <source>р/с</source>
        <translation>р/р</translation>
    </message>
    <message>
        <source>Счёт плательщика</source>
        <translation>Рахунок платника</translation>
    </message>
    <message>
        <source>Наименование получателя</source>
        <translation>Найменування отримувача</translation>
    </message>
    <message>
        <source>Банк получателя</source>
        <translation>Банк отримувача</translation>
    </message>
    <message>
        <source>Банк получателя, вторая строка</source>
        <translation>Банк отримувача, другий рядок</translation>
    </message>
    <message>
        <source>Город банка получателя</source>
        <translation>Місто банку отримувача</translation>
    </message>
    <message>
        <source>Код ОКПО получателя</source>
        <translation>Код ЄДРПОУ отримувача</translation>
    </message>
    <message>
        <source>МФО получателя</source>
        <translation>МФО отримувача</translation>
    </message>
    <message>
        <source>Счёт получателя</source>
        <translation>Рахунок отримувача</translation>
    </message>
    <message>
        <source>Сумма</source>
        <translation>Сума</translation>
    </message>
    <message>
        <source>Сумма цифрами</source>
        <translation>Сума цифрами</translation>
    </message>
    <message>
        <source>Сумма словами</source>
        <translation>Сума словами</translation>
    </message>
    <message>
        <source>в т.ч НДС</source>
        <translation>у т.ч. ПДВ</translation>
    </message>
    <message>
        <source>Назначение</source>
        <translation>Призначення</translation>
    </message>
    <message>
        <source>Назначение платежа</source>
        <translation>Призначення платежу</translation>
    </message>
</context>
<context>
    <name>FileName</name>
    <message>
        <source> от </source>
        <translation> від </translation>
    </message>
</context>
<context>
    <name>Files</name>
    <message>
        <source>Ошибка создания временного каталога</source>
        <translation>Помилка створення тимчасової теки</translation>
    </message>
    <message>
        <source>Ошибка создания файла</source>
        <translation>Помилка створення файлу</translation>
    </message>
    <message>
        <source>Ошибка записи файла</source>
        <translation>Помилка запису файлу</translation>
    </message>
    <message>
        <source>Ошибка создания временного файла</source>
        <translation>Помилка створення тимчасового файлу</translation>
    </message>
    <message>
        <source>Ошибка открытия файла</source>
        <translation>Помилка відкриття файлу</translation>
    </message>
    <message>
        <source>Ошибка чтения файла</source>
        <translation>Помилка читання файлу</translation>
    </message>
    <message>
        <source>Временный каталог &quot;%1&quot; не защищён от других пользователей: он должен быть каталогом пользователя с правами 0700 в каталоге пользователя или системы; документ не создан</source>
        <translation>Тимчасова тека &quot;%1&quot; не захищена від інших користувачів: вона має бути текою користувача з правами 0700 у теці користувача або системи; документ не створено</translation>
    </message>
    <message>
        <source>Файл &quot;%1&quot; не является обычным файлом</source>
        <translation>Файл &quot;%1&quot; не є звичайним файлом</translation>
    </message>
    <message>
        <source>Файл &quot;%1&quot; слишком велик</source>
        <translation>Файл &quot;%1&quot; завеликий</translation>
    </message>
</context>
<context>
    <name>Invoice</name>
    <message>
        <source>: символ </source>
        <translation>: символ </translation>
    </message>
    <message>
        <source> не существует в кодировке Windows-1251</source>
        <translation> не існує в кодуванні Windows-1251</translation>
    </message>
    <message>
        <source>Это не QR-код платежа по счёту: </source>
        <translation>Це не QR-код платежу за рахунком: </translation>
    </message>
    <message>
        <source>ссылка не содержит данных в Base64URL</source>
        <translation>посилання не містить даних у Base64URL</translation>
    </message>
    <message>
        <source>нет служебной метки BCD</source>
        <translation>немає службової мітки BCD</translation>
    </message>
    <message>
        <source>данные обрываются после служебной метки</source>
        <translation>дані обриваються після службової мітки</translation>
    </message>
    <message>
        <source>неизвестная версия формата «</source>
        <translation>невідома версія формату «</translation>
    </message>
    <message>
        <source>» (известны 001, 002 и 003)</source>
        <translation>» (відомі 001, 002 і 003)</translation>
    </message>
    <message>
        <source>неизвестная кодировка «</source>
        <translation>невідоме кодування «</translation>
    </message>
    <message>
        <source>» (1 — UTF-8, 2 — Windows-1251)</source>
        <translation>» (1 — UTF-8, 2 — Windows-1251)</translation>
    </message>
    <message>
        <source>функция «</source>
        <translation>функція «</translation>
    </message>
    <message>
        <source>» — не кредитовый перевод (UCT)</source>
        <translation>» — не кредитовий переказ (UCT)</translation>
    </message>
    <message>
        <source>в данных меньше строк, чем полей платежа</source>
        <translation>у даних менше рядків, ніж полів платежу</translation>
    </message>
    <message>
        <source>текст не в кодировке UTF-8, указанной в данных</source>
        <translation>текст не в кодуванні UTF-8, зазначеному в даних</translation>
    </message>
    <message>
        <source>Получатель</source>
        <translation>Отримувач</translation>
    </message>
    <message>
        <source>Назначение платежа</source>
        <translation>Призначення платежу</translation>
    </message>
    <message>
        <source>В QR-коде не указан получатель</source>
        <translation>У QR-коді не зазначено отримувача</translation>
    </message>
    <message>
        <source>Счёт получателя в QR-коде содержит недопустимые символы</source>
        <translation>Рахунок отримувача в QR-коді містить неприпустимі символи</translation>
    </message>
    <message>
        <source>В QR-коде нет IBAN получателя</source>
        <translation>У QR-коді немає IBAN отримувача</translation>
    </message>
    <message>
        <source>Код получателя</source>
        <translation>Код отримувача</translation>
    </message>
    <message>
        <source>Сумма в QR-коде записана неверно: «</source>
        <translation>Суму в QR-коді записано неправильно: «</translation>
    </message>
    <message>
        <source>» (ожидается UAH и сумма с точкой и двумя знаками копеек)</source>
        <translation>» (очікується UAH і сума з крапкою та двома знаками копійок)</translation>
    </message>
    <message>
        <source>QR-код платежа не найден</source>
        <translation>QR-код платежу не знайдено</translation>
    </message>
    <message>
        <source>PDF не открывается: </source>
        <translation>PDF не відкривається: </translation>
    </message>
    <message>
        <source>Файл не открывается: </source>
        <translation>Файл не відкривається: </translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>Ошибка проверки диапазона: </source>
        <translation>Помилка перевірки діапазону: </translation>
    </message>
    <message>
        <source>Неизвестная ошибка</source>
        <translation>Невідома помилка</translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Помилка</translation>
    </message>
    <message>
        <source>Внутренняя ошибка № </source>
        <translation>Внутрішня помилка № </translation>
    </message>
    <message>
        <source>. Обратитесь к разработчику.</source>
        <translation>. Зверніться до розробника.</translation>
    </message>
</context>
<context>
    <name>Preview</name>
    <message>
        <source>Не удалось начать печать на выбранном принтере</source>
        <translation>Не вдалося почати друк на вибраному принтері</translation>
    </message>
</context>
<context>
    <name>Print</name>
    <message>
        <source>Документ не может быть записан в файл самого платёжного поручения</source>
        <translation>Документ не можна записати у файл самого платіжного доручення</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source> не является обычным файлом</source>
        <translation> не є звичайним файлом</translation>
    </message>
    <message>
        <source> больше 1 МБ</source>
        <translation> більший за 1 МБ</translation>
    </message>
    <message>
        <source> не прочитан: </source>
        <translation> не прочитано: </translation>
    </message>
    <message>
        <source>; используются настройки по умолчанию</source>
        <translation>; використано типові налаштування</translation>
    </message>
    <message>
        <source> не является файлом реестра; настройки не сохранены</source>
        <translation> не є файлом реєстру; налаштування не збережено</translation>
    </message>
    <message>
        <source>Нет папки для файла настроек</source>
        <translation>Немає теки для файлу налаштувань</translation>
    </message>
    <message>
        <source>Файл настроек &quot;</source>
        <translation>Файл налаштувань &quot;</translation>
    </message>
    <message>
        <source>Ошибка открытия файла &quot;</source>
        <translation>Помилка відкриття файлу &quot;</translation>
    </message>
    <message>
        <source>Ошибка чтения файла &quot;</source>
        <translation>Помилка читання файлу &quot;</translation>
    </message>
    <message>
        <source>Ошибка создания папки &quot;</source>
        <translation>Помилка створення теки &quot;</translation>
    </message>
    <message>
        <source>значение &quot;%1&quot; неверного типа</source>
        <translation>значення &quot;%1&quot; неправильного типу</translation>
    </message>
    <message>
        <source>значение &quot;%1&quot; вне допустимых пределов</source>
        <translation>значення &quot;%1&quot; поза допустимими межами</translation>
    </message>
    <message>
        <source>В файле настроек %1; взято значение по умолчанию</source>
        <translation>У файлі налаштувань %1; взято типове значення</translation>
    </message>
    <message>
        <source>В файле настроек %1; взяты значения по умолчанию</source>
        <translation>У файлі налаштувань %1; взято типові значення</translation>
    </message>
</context>
<context>
    <name>Store</name>
    <message>
        <source>не является целым числом</source>
        <translation>не є цілим числом</translation>
    </message>
    <message>
        <source>Невозможно сохранить файл с пустым именем</source>
        <translation>Неможливо зберегти файл з порожньою назвою</translation>
    </message>
    <message>
        <source>Для открытия данного файла необходима программа версии </source>
        <translation>Щоб відкрити цей файл, потрібна програма версії </translation>
    </message>
    <message>
        <source> или выше</source>
        <translation> або новіша</translation>
    </message>
    <message>
        <source>Назначение с именем &lt;</source>
        <translation>Призначення з назвою &lt;</translation>
    </message>
    <message>
        <source>&gt; существует. Заменить?</source>
        <translation>&gt; уже існує. Замінити?</translation>
    </message>
    <message>
        <source>Сохранение</source>
        <translation>Збереження</translation>
    </message>
    <message>
        <source>Недопустимое имя файла &quot;</source>
        <translation>Неприпустима назва файлу &quot;</translation>
    </message>
    <message>
        <source>Файл &quot;%1&quot; слишком велик</source>
        <translation>Файл &quot;%1&quot; завеликий</translation>
    </message>
</context>
<context>
    <name>TAboutBox</name>
    <message>
        <source>О программе</source>
        <translation>Про програму</translation>
    </message>
    <message>
        <source>Вопросы, замечания и предложения по программе направляйте автору:</source>
        <translation>Запитання, зауваження та пропозиції щодо програми надсилайте авторові:</translation>
    </message>
    <message>
        <source>Электронная почта:</source>
        <translation>Електронна пошта:</translation>
    </message>
    <message>
        <source>Последняя версия программы доступна по адресу</source>
        <translation>Остання версія програми доступна за адресою</translation>
    </message>
    <message>
        <source>Квирен, версия </source>
        <translation>Квирен, версія </translation>
    </message>
</context>
<context>
    <name>TDirectoryForm</name>
    <message>
        <source>Реквизиты плательщиков</source>
        <translation>Реквізити платників</translation>
    </message>
    <message>
        <source>Реквизиты получателей</source>
        <translation>Реквізити отримувачів</translation>
    </message>
    <message>
        <source>Поиск: наименование, код, счёт, банк</source>
        <translation>Пошук: найменування, код, рахунок, банк</translation>
    </message>
    <message>
        <source>Наименование</source>
        <translation>Найменування</translation>
    </message>
    <message>
        <source>Код</source>
        <translation>Код</translation>
    </message>
    <message>
        <source>Счёт</source>
        <translation>Рахунок</translation>
    </message>
    <message>
        <source>Банк</source>
        <translation>Банк</translation>
    </message>
    <message>
        <source>&amp;Открыть</source>
        <translation>&amp;Відкрити</translation>
    </message>
    <message>
        <source>&amp;Наша организация</source>
        <translation>&amp;Наша організація</translation>
    </message>
    <message>
        <source>Каждая новая платежка начинается с реквизитов этого плательщика</source>
        <translation>Кожна нова платіжка починається з реквізитів цього платника</translation>
    </message>
    <message>
        <source>&amp;Удалить</source>
        <translation>&amp;Видалити</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Скасувати</translation>
    </message>
</context>
<context>
    <name>TEdit</name>
    <message>
        <source>Символ %1 не поддерживается и пропущен</source>
        <translation>Символ %1 не підтримується, його пропущено</translation>
    </message>
    <message>
        <source>Символы %1 не поддерживаются и пропущены</source>
        <translation>Символи %1 не підтримуються, їх пропущено</translation>
    </message>
</context>
<context>
    <name>TGetNZNFileName</name>
    <message>
        <source>Сохранение</source>
        <translation>Збереження</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Скасувати</translation>
    </message>
    <message>
        <source>Сохранить назначение под &amp;именем</source>
        <translation>Зберегти призначення під &amp;назвою</translation>
    </message>
</context>
<context>
    <name>TJournalForm</name>
    <message>
        <source>Номер</source>
        <translation>Номер</translation>
    </message>
    <message>
        <source>Дата</source>
        <translation>Дата</translation>
    </message>
    <message>
        <source>Получатель</source>
        <translation>Отримувач</translation>
    </message>
    <message>
        <source>Сумма</source>
        <translation>Сума</translation>
    </message>
    <message>
        <source>Назначение</source>
        <translation>Призначення</translation>
    </message>
    <message>
        <source>Журнал платежек</source>
        <translation>Журнал платіжок</translation>
    </message>
    <message>
        <source>Поиск: номер, дата, получатель, код, IBAN, сумма, назначение</source>
        <translation>Пошук: номер, дата, отримувач, код, IBAN, сума, призначення</translation>
    </message>
    <message>
        <source>&amp;Открыть</source>
        <translation>&amp;Відкрити</translation>
    </message>
    <message>
        <source>&amp;Копировать как новую</source>
        <translation>&amp;Копіювати як нову</translation>
    </message>
    <message>
        <source>&amp;Удалить</source>
        <translation>&amp;Видалити</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Скасувати</translation>
    </message>
    <message>
        <source>Платежек: %1, на сумму %2</source>
        <translation>Платіжок: %1, на суму %2</translation>
    </message>
    <message>
        <source> (прочитано %1 из %2)</source>
        <translation> (прочитано %1 з %2)</translation>
    </message>
</context>
<context>
    <name>TMainForm</name>
    <message>
        <source>Создать новую платежку</source>
        <translation>Створити нову платіжку</translation>
    </message>
    <message>
        <source>Загрузить платежку</source>
        <translation>Завантажити платіжку</translation>
    </message>
    <message>
        <source>Сохранить платежку</source>
        <translation>Зберегти платіжку</translation>
    </message>
    <message>
        <source>Настройки</source>
        <translation>Налаштування</translation>
    </message>
    <message>
        <source>Просмотр платежки в MS Word</source>
        <translation>Перегляд платіжки в текстовому процесорі</translation>
    </message>
    <message>
        <source>О программе...</source>
        <translation>Про програму...</translation>
    </message>
    <message>
        <source>Предварительный просмотр</source>
        <translation>Попередній перегляд</translation>
    </message>
    <message>
        <source>Загрузить реквизиты плательщика</source>
        <translation>Завантажити реквізити платника</translation>
    </message>
    <message>
        <source>Загрузить реквизиты получателя</source>
        <translation>Завантажити реквізити отримувача</translation>
    </message>
    <message>
        <source>Загрузить назначение</source>
        <translation>Завантажити призначення</translation>
    </message>
    <message>
        <source>Сохранить назначение</source>
        <translation>Зберегти призначення</translation>
    </message>
    <message>
        <source>Реквизиты плательщика</source>
        <translation>Платник</translation>
    </message>
    <message>
        <source>Реквизиты получателя</source>
        <translation>Отримувач</translation>
    </message>
    <message>
        <source>грн.</source>
        <translation>грн.</translation>
    </message>
    <message>
        <source>коп.</source>
        <translation>коп.</translation>
    </message>
    <message>
        <source>НДС в назначении платежа</source>
        <translation>ПДВ у призначенні платежу</translation>
    </message>
    <message>
        <source>Квирен, версия %1</source>
        <translation>Квирен, версія %1</translation>
    </message>
    <message>
        <source>Поставщик платежных услуг</source>
        <translation>Надавач платіжних послуг</translation>
    </message>
    <message>
        <source>Код ЕДРПОУ/РНОКПП</source>
        <translation>Код за ЄДРПОУ/РНОКПП</translation>
    </message>
    <message>
        <source>Заполнить из QR-кода счёта (картинка или PDF)</source>
        <translation>Заповнити з QR-коду рахунку (зображення або PDF)</translation>
    </message>
    <message>
        <source>Счёт с QR-кодом платежа</source>
        <translation>Рахунок із QR-кодом платежу</translation>
    </message>
    <message>
        <source>Счета (*.pdf *.png *.jpg *.jpeg);;Все файлы (*)</source>
        <translation>Рахунки (*.pdf *.png *.jpg *.jpeg);;Усі файли (*)</translation>
    </message>
</context>
<context>
    <name>TOpenForm</name>
    <message>
        <source>Загрузка платежного поручения</source>
        <translation>Завантаження платіжки</translation>
    </message>
    <message>
        <source>Удалить платежку</source>
        <translation>Видалити платіжку</translation>
    </message>
    <message>
        <source>Загрузка реквизитов плательщика</source>
        <translation>Завантаження реквізитів платника</translation>
    </message>
    <message>
        <source>Удалить реквизиты плательщика</source>
        <translation>Видалити реквізити платника</translation>
    </message>
    <message>
        <source>Загрузка реквизитов получателя</source>
        <translation>Завантаження реквізитів отримувача</translation>
    </message>
    <message>
        <source>Удалить реквизиты получателя</source>
        <translation>Видалити реквізити отримувача</translation>
    </message>
    <message>
        <source>Загрузка назначения</source>
        <translation>Завантаження призначення</translation>
    </message>
    <message>
        <source>Удалить назначение</source>
        <translation>Видалити призначення</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Скасувати</translation>
    </message>
    <message>
        <source>Удаление</source>
        <translation>Видалення</translation>
    </message>
    <message>
        <source>Ошибка удаления файла &quot;</source>
        <translation>Помилка видалення файлу &quot;</translation>
    </message>
    <message>
        <source>&amp;Открыть</source>
        <translation>&amp;Відкрити</translation>
    </message>
    <message>
        <source>&amp;Удалить</source>
        <translation>В&amp;идалити</translation>
    </message>
</context>
<context>
    <name>TOptForm</name>
    <message>
        <source>Настройки</source>
        <translation>Налаштування</translation>
    </message>
    <message>
        <source>&amp;Общие</source>
        <translation>&amp;Загальні</translation>
    </message>
    <message>
        <source>Я&amp;зык</source>
        <translation>&amp;Мова</translation>
    </message>
    <message>
        <source>Выделить жирным шрифтом &amp;плательщика</source>
        <translation>Виділити жирним шрифтом &amp;платника</translation>
    </message>
    <message>
        <source>Отображать номер &amp;копии</source>
        <translation>Показувати номер &amp;копії</translation>
    </message>
    <message>
        <source>Отображать &amp;строку &quot;З правом одного підпису&quot;</source>
        <translation>Показувати &amp;рядок &quot;З правом одного підпису&quot;</translation>
    </message>
    <message>
        <source>&amp;НДС</source>
        <translation>П&amp;ДВ</translation>
    </message>
    <message>
        <source>&amp;Вид бланка</source>
        <translation>&amp;Вид бланка</translation>
    </message>
    <message>
        <source>Платіжне доручення (0410001)</source>
        <translation>Платіжне доручення (0410001)</translation>
    </message>
    <message>
        <source>Платіжна інструкція</source>
        <translation>Платіжна інструкція</translation>
    </message>
    <message>
        <source>Украинский</source>
        <translation>Українська</translation>
    </message>
    <message>
        <source>Русский</source>
        <translation>Російська</translation>
    </message>
    <message>
        <source>Язык бланка</source>
        <translation>Мова бланка</translation>
    </message>
    <message>
        <source>&amp;Бланк</source>
        <translation>&amp;Бланк</translation>
    </message>
    <message>
        <source>&amp;Дата</source>
        <translation>&amp;Дата</translation>
    </message>
    <message>
        <source>С&amp;умма</source>
        <translation>С&amp;ума</translation>
    </message>
    <message>
        <source>Язык &amp;программы</source>
        <translation>Мова &amp;програми</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>П&amp;рименить</source>
        <translation>З&amp;астосувати</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Скасувати</translation>
    </message>
    <message>
        <source>Выделить жирным шрифтом пол&amp;учателя</source>
        <translation>Виділити жирним шрифтом &amp;отримувача</translation>
    </message>
</context>
<context>
    <name>TPreview</name>
    <message>
        <source>Сохранить в PDF</source>
        <translation>Зберегти в PDF</translation>
    </message>
    <message>
        <source>Документы PDF (*.pdf)</source>
        <translation>Документи PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Предварительный просмотр</source>
        <translation>Попередній перегляд</translation>
    </message>
    <message>
        <source>Предварительный просмотр — </source>
        <translation>Попередній перегляд — </translation>
    </message>
    <message>
        <source>Печать…</source>
        <translation>Друк…</translation>
    </message>
    <message>
        <source>Сохранить в PDF…</source>
        <translation>Зберегти в PDF…</translation>
    </message>
    <message>
        <source>Страница целиком</source>
        <translation>Сторінка повністю</translation>
    </message>
    <message>
        <source>По ширине</source>
        <translation>За шириною</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Закрити</translation>
    </message>
</context>
<context>
    <name>TQtMessageBoxes</name>
    <message>
        <source>&amp;Да</source>
        <translation>&amp;Так</translation>
    </message>
    <message>
        <source>&amp;Нет</source>
        <translation>&amp;Ні</translation>
    </message>
</context>
<context>
    <name>Vat</name>
    <message>
        <source>В т.ч. НДС</source>
        <translation>У т.ч. ПДВ</translation>
    </message>
    <message>
        <source>Без НДС</source>
        <translation>Без ПДВ</translation>
    </message>
    <message>
        <source>НДС не указывать</source>
        <translation>ПДВ не зазначати</translation>
    </message>
    <message>
        <source>В т.ч. НДС и без НДС</source>
        <translation>У т.ч. ПДВ і без ПДВ</translation>
    </message>
</context>
</TS>
