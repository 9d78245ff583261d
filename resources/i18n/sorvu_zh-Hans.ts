<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en">
<context>
    <name>Sorvu</name>
    <message>
        <source>Start/Stop Collecting</source>
        <translation>开始/停止收集</translation>
    </message>
    <message>
        <source>Paste Next Item</source>
        <translation>粘贴下一项</translation>
    </message>
    <message>
        <source>Key %lld</source>
        <translation>按键 %lld</translation>
    </message>
    <message>
        <source>Recording…</source>
        <translation>正在录制…</translation>
    </message>
    <message>
        <source>Reset to default</source>
        <translation>恢复默认</translation>
    </message>
    <message>
        <source>, </source>
        <translation>，</translation>
    </message>
    <message>
        <source>Already used by %@.</source>
        <translation>已被“%@”使用。</translation>
    </message>
    <message>
        <source>Matches the system's own Copy/Paste/Cut — will also fire on every ordinary use elsewhere.</source>
        <translation>与系统自带的复制/粘贴/剪切相同——在其他地方每次正常使用时也会触发。</translation>
    </message>
    <message>
        <source>Taken by another program</source>
        <translation>已被其他程序占用</translation>
    </message>
    <message>
        <source>New line</source>
        <translation>换行</translation>
    </message>
    <message>
        <source>Blank line</source>
        <translation>空行</translation>
    </message>
    <message>
        <source>Space</source>
        <translation>空格</translation>
    </message>
    <message>
        <source>Comma and space</source>
        <translation>逗号和空格</translation>
    </message>
    <message>
        <source>None</source>
        <translation>无</translation>
    </message>
    <message>
        <source>Custom…</source>
        <translation>自定义…</translation>
    </message>
    <message>
        <source>Sorvu, recording, %lld items in queue</source>
        <translation>Sorvu，正在录制，队列中有 %lld 项</translation>
    </message>
    <message>
        <source>Sorvu, %lld items queued, not recording</source>
        <translation>Sorvu，队列中有 %lld 项，未在录制</translation>
    </message>
    <message>
        <source>Sorvu, idle</source>
        <translation>Sorvu，空闲</translation>
    </message>
    <message>
        <source>%lld items in queue</source>
        <translation>队列中有 %lld 项</translation>
    </message>
    <message>
        <source>Queue empty</source>
        <translation>队列为空</translation>
    </message>
    <message>
        <source>queue empty</source>
        <translation>队列为空</translation>
    </message>
    <message>
        <source>Recording</source>
        <translation>正在录制</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>已停止</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Close Settings</source>
        <translation>关闭设置</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>开始</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>粘贴</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>清空</translation>
    </message>
    <message>
        <source>Combine and Paste…</source>
        <translation>合并并粘贴…</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>退出</translation>
    </message>
    <message>
        <source>⚠️ Accessibility required</source>
        <translation>⚠️ 需要辅助功能权限</translation>
    </message>
    <message>
        <source>Shortcuts and pasting are not available in this session.</source>
        <translation>此会话中无法使用快捷键和粘贴。</translation>
    </message>
    <message>
        <source>Queue</source>
        <translation>队列</translation>
    </message>
    <message>
        <source>Combines text items into one paste with a chosen separator.</source>
        <translation>使用所选分隔符将文本项合并为一次粘贴。</translation>
    </message>
    <message>
        <source>%lld.</source>
        <translation>%lld.</translation>
    </message>
    <message>
        <source>Item %lld: text, %@</source>
        <translation>第 %lld 项：文本，%@</translation>
    </message>
    <message>
        <source>Item %lld: image</source>
        <translation>第 %lld 项：图片</translation>
    </message>
    <message>
        <source>Item %lld: file, %@</source>
        <translation>第 %lld 项：文件，%@</translation>
    </message>
    <message>
        <source>Delete item %lld</source>
        <translation>删除第 %lld 项</translation>
    </message>
    <message>
        <source>Combine and Paste</source>
        <translation>合并并粘贴</translation>
    </message>
    <message>
        <source>Separator</source>
        <translation>分隔符</translation>
    </message>
    <message>
        <source>Custom separator</source>
        <translation>自定义分隔符</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>预览</translation>
    </message>
    <message>
        <source>All queued items must be text. Paste files and images separately.</source>
        <translation>队列中的所有项目都必须是文本。请分别粘贴文件和图片。</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>返回</translation>
    </message>
    <message>
        <source>Paste All</source>
        <translation>全部粘贴</translation>
    </message>
    <message>
        <source>The queue is empty.</source>
        <translation>队列为空。</translation>
    </message>
    <message>
        <source>The queue changed. Review the preview and try again.</source>
        <translation>队列已更改。请检查预览后重试。</translation>
    </message>
    <message>
        <source>The target app is unavailable. Open the menu from the app you want to paste into.</source>
        <translation>目标应用不可用。请从要粘贴到的应用中打开菜单。</translation>
    </message>
    <message>
        <source>Could not paste. The queue is unchanged; try again.</source>
        <translation>无法粘贴。队列未更改，请重试。</translation>
    </message>
    <message>
        <source>Pasting is not available in this session. The README lists the desktops Sorvu supports.</source>
        <translation>此会话中无法粘贴。README 列出了 Sorvu 支持的桌面环境。</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>语言</translation>
    </message>
    <message>
        <source>System</source>
        <translation>跟随系统</translation>
    </message>
    <message>
        <source>⚠️ Launch at Login disabled</source>
        <translation>⚠️ 登录时启动已停用</translation>
    </message>
    <message>
        <source>This was turned off in your desktop's startup settings. Click to re-enable.</source>
        <translation>已在桌面环境的自动启动设置中关闭。点击以重新启用。</translation>
    </message>
    <message>
        <source>Launch at Login</source>
        <translation>登录时启动</translation>
    </message>
    <message>
        <source>Visit our website</source>
        <translation>访问我们的网站</translation>
    </message>
    <message>
        <source>Version %@ (%@)</source>
        <translation>版本 %@ (%@)</translation>
    </message>
    <message>
        <source>Sorvu is already running.</source>
        <translation>Sorvu 已在运行。</translation>
    </message>
    <message>
        <source>A copy was too large to queue and was skipped.</source>
        <translation>复制的内容太大，无法加入队列，已跳过。</translation>
    </message>
    <message>
        <source>A copied file was larger than the limit for stored files and was skipped. The limit is maximumFileMegabytes in the settings file.</source>
        <translation>复制的文件超过了存储文件的上限，已跳过。上限是设置文件中的 maximumFileMegabytes。</translation>
    </message>
    <message>
        <source>A copied file was skipped: the disk has no room for a copy of it.</source>
        <translation>已跳过复制的文件：磁盘没有空间保存它的副本。</translation>
    </message>
    <message>
        <source>A copied file was skipped: Sorvu may not read it.</source>
        <translation>已跳过复制的文件：Sorvu 无权读取它。</translation>
    </message>
    <message>
        <source>A copied pipe, socket or device cannot be queued and was skipped.</source>
        <translation>复制的管道、套接字或设备无法加入队列，已跳过。</translation>
    </message>
    <message>
        <source>Pipes, sockets or devices inside a copied folder were left out.</source>
        <translation>已略过复制的文件夹中的管道、套接字或设备。</translation>
    </message>
    <message>
        <source>The queue is full at 99 entries: what was copied beyond that was not queued. Paste or remove entries to make room.</source>
        <translation>队列已满（99 项）：超出部分的复制内容未加入队列。请粘贴或删除条目以腾出空间。</translation>
    </message>
    <message>
        <source>Sorvu cannot start: it needs a private runtime folder (XDG_RUNTIME_DIR) to run only once per display.</source>
        <translation>Sorvu 无法启动：它需要一个私有运行时文件夹（XDG_RUNTIME_DIR），以确保每个显示器只运行一个。</translation>
    </message>
    <message>
        <source>The next entry is still being copied. Paste again in a moment.</source>
        <translation>下一项仍在复制中。请稍后再粘贴。</translation>
    </message>
    <message>
        <source>The next entry's copy was deleted outside Sorvu, so it was removed from the queue.</source>
        <translation>下一项的副本已在 Sorvu 之外被删除，因此已将其从队列中移除。</translation>
    </message>
    <message>
        <source>Bind keys to these commands in your desktop's keyboard settings.</source>
        <translation>请在桌面的键盘设置中为这些命令绑定按键。</translation>
    </message>
    <message>
        <source>This desktop does not let programs watch its Wayland clipboard, so Sorvu runs through XWayland: it collects copies, but its shortcuts and pastes reach X11 programs only.</source>
        <translation>此桌面不允许程序监视其 Wayland 剪贴板，因此 Sorvu 通过 XWayland 运行：它能收集复制的内容，但其快捷键和粘贴只能作用于 X11 程序。</translation>
    </message>
    <message>
        <source>%lld characters</source>
        <translation>%lld 个字符</translation>
    </message>
    <message>
        <source>Image: %lld × %lld pixels</source>
        <translation>图像：%lld × %lld 像素</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>文件夹</translation>
    </message>
    <message>
        <source>Moved to position %lld of %lld</source>
        <translation>已移到第 %lld 位，共 %lld 项</translation>
    </message>
    <message>
        <source>%@ is taken by another program and does nothing.</source>
        <translation>%@ 已被其他程序占用，按下后不起作用。</translation>
    </message>
    <message>
        <source>The queue is full: new copies are not added.</source>
        <translation>队列已满：新的复制内容不会加入。</translation>
    </message>
    <message>
        <source>%lld items are not text: %@.</source>
        <translation>有 %lld 项不是文本：%@。</translation>
    </message>
    <message>
        <source>No program opened the link. Install xdg-utils, then try again.</source>
        <translation>没有程序打开该链接。请安装 xdg-utils 后重试。</translation>
    </message>
    <message>
        <source>GNOME does not let programs watch its Wayland clipboard, so Sorvu runs through XWayland: it collects copies, pastes into every program through GNOME's remote desktop service, and its shortcuts are GNOME's own, set up in Sorvu's settings.</source>
        <translation>GNOME 不允许程序监视其 Wayland 剪贴板，因此 Sorvu 通过 XWayland 运行：它能收集复制的内容，通过 GNOME 的远程桌面服务粘贴到任何程序中，其快捷键由 GNOME 自己提供，可在 Sorvu 的设置中设定。</translation>
    </message>
    <message>
        <source>The desktop holds these shortcuts. Change them in its settings.</source>
        <translation>这些快捷键由桌面管理。请在桌面的设置中更改。</translation>
    </message>
    <message>
        <source>Not set</source>
        <translation>未设置</translation>
    </message>
    <message>
        <source>Open Desktop Shortcut Settings</source>
        <translation>打开桌面快捷键设置</translation>
    </message>
    <message>
        <source>Add Shortcuts to GNOME</source>
        <translation>将快捷键添加到 GNOME</translation>
    </message>
    <message>
        <source>The desktop's shortcut settings could not be opened.</source>
        <translation>无法打开桌面的快捷键设置。</translation>
    </message>
    <message>
        <source>Added to GNOME: %@ and %@ run these commands.</source>
        <translation>已添加到 GNOME：%@ 和 %@ 会运行这些命令。</translation>
    </message>
    <message>
        <source>GNOME's shortcuts could not be changed. Add them in Settings, Keyboard, Custom Shortcuts.</source>
        <translation>无法更改 GNOME 的快捷键。请在“设置”、“键盘”、“自定义快捷键”中添加。</translation>
    </message>
    <message>
        <source>This desktop holds no shortcuts for programs: bind keys to Sorvu's commands in its keyboard settings.</source>
        <translation>此桌面不为程序管理快捷键：请在其键盘设置中为 Sorvu 的命令绑定按键。</translation>
    </message>
    <message>
        <source>The desktop refused Sorvu's shortcuts: bind keys to Sorvu's commands in its keyboard settings.</source>
        <translation>桌面拒绝了 Sorvu 的快捷键：请在其键盘设置中为 Sorvu 的命令绑定按键。</translation>
    </message>
    <message>
        <source>The desktop withdrew Sorvu's shortcuts: they do nothing until Sorvu starts again.</source>
        <translation>桌面撤销了 Sorvu 的快捷键：在 Sorvu 重新启动之前它们不起作用。</translation>
    </message>
    <message>
        <source>The desktop's shortcut service failed: Sorvu's shortcuts do nothing.</source>
        <translation>桌面的快捷键服务出错：Sorvu 的快捷键不起作用。</translation>
    </message>
</context>
</TS>
