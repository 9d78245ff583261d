<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU" sourcelanguage="en">
<context>
    <name>Sorvu</name>
    <message>
        <source>Start/Stop Collecting</source>
        <translation>Начать/остановить сбор</translation>
    </message>
    <message>
        <source>Paste Next Item</source>
        <translation>Вставить следующий элемент</translation>
    </message>
    <message>
        <source>Key %lld</source>
        <translation>Клавиша %lld</translation>
    </message>
    <message>
        <source>Recording…</source>
        <translation>Запись…</translation>
    </message>
    <message>
        <source>Reset to default</source>
        <translation>Сбросить к значению по умолчанию</translation>
    </message>
    <message>
        <source>, </source>
        <translation>, </translation>
    </message>
    <message>
        <source>Already used by %@.</source>
        <translation>Уже используется действием «%@».</translation>
    </message>
    <message>
        <source>Matches the system's own Copy/Paste/Cut — will also fire on every ordinary use elsewhere.</source>
        <translation>Совпадает с системными «Копировать/Вставить/Вырезать» — будет срабатывать и при каждом обычном использовании в других местах.</translation>
    </message>
    <message>
        <source>Taken by another program</source>
        <translation>Занято другой программой</translation>
    </message>
    <message>
        <source>New line</source>
        <translation>Новая строка</translation>
    </message>
    <message>
        <source>Blank line</source>
        <translation>Пустая строка</translation>
    </message>
    <message>
        <source>Space</source>
        <translation>Пробел</translation>
    </message>
    <message>
        <source>Comma and space</source>
        <translation>Запятая и пробел</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Без разделителя</translation>
    </message>
    <message>
        <source>Custom…</source>
        <translation>Свой…</translation>
    </message>
    <message numerus="yes">
        <source>Sorvu, recording, %lld items in queue</source>
        <translation>
            <numerusform>Sorvu, идёт запись, в очереди %lld элемент</numerusform>
            <numerusform>Sorvu, идёт запись, в очереди %lld элемента</numerusform>
            <numerusform>Sorvu, идёт запись, в очереди %lld элементов</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Sorvu, %lld items queued, not recording</source>
        <translation>
            <numerusform>Sorvu, в очереди %lld элемент, запись не идёт</numerusform>
            <numerusform>Sorvu, в очереди %lld элемента, запись не идёт</numerusform>
            <numerusform>Sorvu, в очереди %lld элементов, запись не идёт</numerusform>
        </translation>
    </message>
    <message>
        <source>Sorvu, idle</source>
        <translation>Sorvu, не активен</translation>
    </message>
    <message numerus="yes">
        <source>%lld items in queue</source>
        <translation>
            <numerusform>%lld элемент в очереди</numerusform>
            <numerusform>%lld элемента в очереди</numerusform>
            <numerusform>%lld элементов в очереди</numerusform>
        </translation>
    </message>
    <message>
        <source>Queue empty</source>
        <translation>Очередь пуста</translation>
    </message>
    <message>
        <source>queue empty</source>
        <translation>очередь пуста</translation>
    </message>
    <message>
        <source>Recording</source>
        <translation>Запись</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Остановлено</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Настройки</translation>
    </message>
    <message>
        <source>Close Settings</source>
        <translation>Закрыть настройки</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Старт</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Стоп</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Вставить</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Очистить</translation>
    </message>
    <message>
        <source>Combine and Paste…</source>
        <translation>Объединить и вставить…</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Выйти</translation>
    </message>
    <message>
        <source>⚠️ Accessibility required</source>
        <translation>⚠️ Требуется специальный доступ</translation>
    </message>
    <message>
        <source>Shortcuts and pasting are not available in this session.</source>
        <translation>Горячие клавиши и вставка недоступны в этом сеансе.</translation>
    </message>
    <message>
        <source>Queue</source>
        <translation>Очередь</translation>
    </message>
    <message>
        <source>Combines text items into one paste with a chosen separator.</source>
        <translation>Объединяет текстовые элементы в одну вставку с выбранным разделителем.</translation>
    </message>
    <message>
        <source>%lld.</source>
        <translation>%lld.</translation>
    </message>
    <message>
        <source>Item %lld: text, %@</source>
        <translation>Элемент %lld: текст, %@</translation>
    </message>
    <message>
        <source>Item %lld: image</source>
        <translation>Элемент %lld: изображение</translation>
    </message>
    <message>
        <source>Item %lld: file, %@</source>
        <translation>Элемент %lld: файл, %@</translation>
    </message>
    <message>
        <source>Delete item %lld</source>
        <translation>Удалить элемент %lld</translation>
    </message>
    <message>
        <source>Combine and Paste</source>
        <translation>Объединить и вставить</translation>
    </message>
    <message>
        <source>Separator</source>
        <translation>Разделитель</translation>
    </message>
    <message>
        <source>Custom separator</source>
        <translation>Свой разделитель</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Предпросмотр</translation>
    </message>
    <message>
        <source>All queued items must be text. Paste files and images separately.</source>
        <translation>Все элементы в очереди должны быть текстом. Файлы и изображения вставляйте по отдельности.</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Назад</translation>
    </message>
    <message>
        <source>Paste All</source>
        <translation>Вставить всё</translation>
    </message>
    <message>
        <source>The queue is empty.</source>
        <translation>Очередь пуста.</translation>
    </message>
    <message>
        <source>The queue changed. Review the preview and try again.</source>
        <translation>Очередь изменилась. Проверьте предпросмотр и попробуйте снова.</translation>
    </message>
    <message>
        <source>The target app is unavailable. Open the menu from the app you want to paste into.</source>
        <translation>Целевое приложение недоступно. Откройте меню из приложения, в которое хотите вставить.</translation>
    </message>
    <message>
        <source>Could not paste. The queue is unchanged; try again.</source>
        <translation>Не удалось вставить. Очередь не изменилась; попробуйте снова.</translation>
    </message>
    <message>
        <source>Pasting is not available in this session. The README lists the desktops Sorvu supports.</source>
        <translation>Вставка недоступна в этом сеансе. Рабочие столы, которые поддерживает Sorvu, перечислены в README.</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Язык</translation>
    </message>
    <message>
        <source>System</source>
        <translation>Системный</translation>
    </message>
    <message>
        <source>⚠️ Launch at Login disabled</source>
        <translation>⚠️ Запуск при входе отключён</translation>
    </message>
    <message>
        <source>This was turned off in your desktop's startup settings. Click to re-enable.</source>
        <translation>Это отключено в настройках автозапуска вашего рабочего стола. Нажмите, чтобы включить снова.</translation>
    </message>
    <message>
        <source>Launch at Login</source>
        <translation>Запускать при входе</translation>
    </message>
    <message>
        <source>Visit our website</source>
        <translation>Посетить наш сайт</translation>
    </message>
    <message>
        <source>Version %@ (%@)</source>
        <translation>Версия %@ (%@)</translation>
    </message>
    <message>
        <source>Sorvu is already running.</source>
        <translation>Sorvu уже запущен.</translation>
    </message>
    <message>
        <source>A copy was too large to queue and was skipped.</source>
        <translation>Скопированное слишком велико для очереди и было пропущено.</translation>
    </message>
    <message>
        <source>A copied file was larger than the limit for stored files and was skipped. The limit is maximumFileMegabytes in the settings file.</source>
        <translation>Скопированный файл превысил предел для сохраняемых файлов и был пропущен. Предел задаёт maximumFileMegabytes в файле настроек.</translation>
    </message>
    <message>
        <source>A copied file was skipped: the disk has no room for a copy of it.</source>
        <translation>Скопированный файл пропущен: на диске нет места для его копии.</translation>
    </message>
    <message>
        <source>A copied file was skipped: Sorvu may not read it.</source>
        <translation>Скопированный файл пропущен: у Sorvu нет прав на его чтение.</translation>
    </message>
    <message>
        <source>A copied pipe, socket or device cannot be queued and was skipped.</source>
        <translation>Скопированный канал, сокет или устройство нельзя поставить в очередь, они пропущены.</translation>
    </message>
    <message>
        <source>Pipes, sockets or devices inside a copied folder were left out.</source>
        <translation>Каналы, сокеты и устройства внутри скопированной папки пропущены.</translation>
    </message>
    <message>
        <source>The queue is full at 99 entries: what was copied beyond that was not queued. Paste or remove entries to make room.</source>
        <translation>Очередь заполнена: в ней 99 элементов. Скопированное сверх этого не добавлено. Вставьте или удалите элементы, чтобы освободить место.</translation>
    </message>
    <message>
        <source>Sorvu cannot start: it needs a private runtime folder (XDG_RUNTIME_DIR) to run only once per display.</source>
        <translation>Sorvu не может запуститься: чтобы работать в одном экземпляре на дисплей, ему нужна личная папка времени выполнения (XDG_RUNTIME_DIR).</translation>
    </message>
    <message>
        <source>The next entry is still being copied. Paste again in a moment.</source>
        <translation>Следующий элемент ещё копируется. Вставьте его снова чуть позже.</translation>
    </message>
    <message>
        <source>The next entry's copy was deleted outside Sorvu, so it was removed from the queue.</source>
        <translation>Копия следующего элемента удалена вне Sorvu, поэтому он убран из очереди.</translation>
    </message>
    <message>
        <source>Bind keys to these commands in your desktop's keyboard settings.</source>
        <translation>Назначьте клавиши этим командам в настройках клавиатуры вашего рабочего стола.</translation>
    </message>
    <message>
        <source>This desktop does not let programs watch its Wayland clipboard, so Sorvu runs through XWayland: it collects copies, but its shortcuts and pastes reach X11 programs only.</source>
        <translation>Этот рабочий стол не позволяет программам следить за буфером обмена Wayland, поэтому Sorvu работает через XWayland: копии он собирает, но его горячие клавиши и вставка доходят только до программ X11.</translation>
    </message>
    <message numerus="yes">
        <source>%lld characters</source>
        <translation>
            <numerusform>%lld символ</numerusform>
            <numerusform>%lld символа</numerusform>
            <numerusform>%lld символов</numerusform>
        </translation>
    </message>
    <message>
        <source>Image: %lld × %lld pixels</source>
        <translation>Изображение: %lld × %lld пикс.</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Папка</translation>
    </message>
    <message>
        <source>Moved to position %lld of %lld</source>
        <translation>Перемещено на позицию %lld из %lld</translation>
    </message>
    <message>
        <source>%@ is taken by another program and does nothing.</source>
        <translation>%@ занято другой программой и не работает.</translation>
    </message>
    <message>
        <source>The queue is full: new copies are not added.</source>
        <translation>Очередь заполнена: новые копии не добавляются.</translation>
    </message>
    <message numerus="yes">
        <source>%lld items are not text: %@.</source>
        <translation>
            <numerusform>%lld элемент не является текстом: %@.</numerusform>
            <numerusform>%lld элемента не являются текстом: %@.</numerusform>
            <numerusform>%lld элементов не являются текстом: %@.</numerusform>
        </translation>
    </message>
    <message>
        <source>No program opened the link. Install xdg-utils, then try again.</source>
        <translation>Ни одна программа не открыла ссылку. Установите xdg-utils и попробуйте снова.</translation>
    </message>
    <message>
        <source>GNOME does not let programs watch its Wayland clipboard, so Sorvu runs through XWayland: it collects copies, pastes into every program through GNOME's remote desktop service, and its shortcuts are GNOME's own, set up in Sorvu's settings.</source>
        <translation>GNOME не позволяет программам следить за буфером обмена Wayland, поэтому Sorvu работает через XWayland: он собирает копии, вставляет в любую программу через службу удалённого рабочего стола GNOME, а его горячие клавиши — это клавиши GNOME, настраиваемые в настройках Sorvu.</translation>
    </message>
    <message>
        <source>The desktop holds these shortcuts. Change them in its settings.</source>
        <translation>Этими горячими клавишами управляет рабочий стол. Изменить их можно в его настройках.</translation>
    </message>
    <message>
        <source>Not set</source>
        <translation>Не задано</translation>
    </message>
    <message>
        <source>Open Desktop Shortcut Settings</source>
        <translation>Открыть настройки горячих клавиш рабочего стола</translation>
    </message>
    <message>
        <source>Add Shortcuts to GNOME</source>
        <translation>Добавить горячие клавиши в GNOME</translation>
    </message>
    <message>
        <source>The desktop's shortcut settings could not be opened.</source>
        <translation>Не удалось открыть настройки горячих клавиш рабочего стола.</translation>
    </message>
    <message>
        <source>Added to GNOME: %@ and %@ run these commands.</source>
        <translation>Добавлено в GNOME: %@ и %@ запускают эти команды.</translation>
    </message>
    <message>
        <source>GNOME's shortcuts could not be changed. Add them in Settings, Keyboard, Custom Shortcuts.</source>
        <translation>Не удалось изменить горячие клавиши GNOME. Добавьте их в Параметры, Клавиатура, Пользовательские комбинации клавиш.</translation>
    </message>
    <message>
        <source>This desktop holds no shortcuts for programs: bind keys to Sorvu's commands in its keyboard settings.</source>
        <translation>Этот рабочий стол не управляет горячими клавишами программ: назначьте клавиши командам Sorvu в его настройках клавиатуры.</translation>
    </message>
    <message>
        <source>The desktop refused Sorvu's shortcuts: bind keys to Sorvu's commands in its keyboard settings.</source>
        <translation>Рабочий стол отклонил горячие клавиши Sorvu: назначьте клавиши командам Sorvu в его настройках клавиатуры.</translation>
    </message>
    <message>
        <source>The desktop withdrew Sorvu's shortcuts: they do nothing until Sorvu starts again.</source>
        <translation>Рабочий стол отозвал горячие клавиши Sorvu: они не работают до следующего запуска Sorvu.</translation>
    </message>
    <message>
        <source>The desktop's shortcut service failed: Sorvu's shortcuts do nothing.</source>
        <translation>Служба горячих клавиш рабочего стола дала сбой: горячие клавиши Sorvu не работают.</translation>
    </message>
</context>
</TS>
