<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP" sourcelanguage="en">
<context>
    <name>Sorvu</name>
    <message>
        <source>Start/Stop Collecting</source>
        <translation>収集の開始/停止</translation>
    </message>
    <message>
        <source>Paste Next Item</source>
        <translation>次の項目をペースト</translation>
    </message>
    <message>
        <source>Key %lld</source>
        <translation>キー %lld</translation>
    </message>
    <message>
        <source>Recording…</source>
        <translation>記録中…</translation>
    </message>
    <message>
        <source>Reset to default</source>
        <translation>デフォルトに戻す</translation>
    </message>
    <message>
        <source>, </source>
        <translation>、</translation>
    </message>
    <message>
        <source>Already used by %@.</source>
        <translation>すでに「%@」で使用されています。</translation>
    </message>
    <message>
        <source>Matches the system's own Copy/Paste/Cut — will also fire on every ordinary use elsewhere.</source>
        <translation>システム標準のコピー/ペースト/カットと同じです — ほかの場所で普通に使うたびにも実行されます。</translation>
    </message>
    <message>
        <source>Taken by another program</source>
        <translation>別のプログラムが使用中</translation>
    </message>
    <message>
        <source>New line</source>
        <translation>改行</translation>
    </message>
    <message>
        <source>Blank line</source>
        <translation>空行</translation>
    </message>
    <message>
        <source>Space</source>
        <translation>スペース</translation>
    </message>
    <message>
        <source>Comma and space</source>
        <translation>カンマとスペース</translation>
    </message>
    <message>
        <source>None</source>
        <translation>なし</translation>
    </message>
    <message>
        <source>Custom…</source>
        <translation>カスタム…</translation>
    </message>
    <message>
        <source>Sorvu, recording, %lld items in queue</source>
        <translation>Sorvu、記録中、キューに %lld 項目</translation>
    </message>
    <message>
        <source>Sorvu, %lld items queued, not recording</source>
        <translation>Sorvu、キューに %lld 項目、記録していません</translation>
    </message>
    <message>
        <source>Sorvu, idle</source>
        <translation>Sorvu、待機中</translation>
    </message>
    <message>
        <source>%lld items in queue</source>
        <translation>キューに %lld 項目</translation>
    </message>
    <message>
        <source>Queue empty</source>
        <translation>キューは空です</translation>
    </message>
    <message>
        <source>queue empty</source>
        <translation>キューは空</translation>
    </message>
    <message>
        <source>Recording</source>
        <translation>記録中</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>停止中</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>Close Settings</source>
        <translation>設定を閉じる</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>開始</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>ペースト</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>クリア</translation>
    </message>
    <message>
        <source>Combine and Paste…</source>
        <translation>結合してペースト…</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>終了</translation>
    </message>
    <message>
        <source>⚠️ Accessibility required</source>
        <translation>⚠️ アクセシビリティが必要です</translation>
    </message>
    <message>
        <source>Shortcuts and pasting are not available in this session.</source>
        <translation>このセッションではショートカットとペーストを使用できません。</translation>
    </message>
    <message>
        <source>Queue</source>
        <translation>キュー</translation>
    </message>
    <message>
        <source>Combines text items into one paste with a chosen separator.</source>
        <translation>選択した区切り文字でテキスト項目を結合し、1回でペーストします。</translation>
    </message>
    <message>
        <source>%lld.</source>
        <translation>%lld.</translation>
    </message>
    <message>
        <source>Item %lld: text, %@</source>
        <translation>項目 %lld：テキスト、%@</translation>
    </message>
    <message>
        <source>Item %lld: image</source>
        <translation>項目 %lld：画像</translation>
    </message>
    <message>
        <source>Item %lld: file, %@</source>
        <translation>項目 %lld：ファイル、%@</translation>
    </message>
    <message>
        <source>Delete item %lld</source>
        <translation>項目 %lld を削除</translation>
    </message>
    <message>
        <source>Combine and Paste</source>
        <translation>結合してペースト</translation>
    </message>
    <message>
        <source>Separator</source>
        <translation>区切り文字</translation>
    </message>
    <message>
        <source>Custom separator</source>
        <translation>カスタム区切り文字</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>プレビュー</translation>
    </message>
    <message>
        <source>All queued items must be text. Paste files and images separately.</source>
        <translation>キュー内の項目はすべてテキストである必要があります。ファイルと画像は個別にペーストしてください。</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>戻る</translation>
    </message>
    <message>
        <source>Paste All</source>
        <translation>すべてペースト</translation>
    </message>
    <message>
        <source>The queue is empty.</source>
        <translation>キューは空です。</translation>
    </message>
    <message>
        <source>The queue changed. Review the preview and try again.</source>
        <translation>キューが変更されました。プレビューを確認してもう一度お試しください。</translation>
    </message>
    <message>
        <source>The target app is unavailable. Open the menu from the app you want to paste into.</source>
        <translation>ペースト先のアプリを利用できません。ペーストしたいアプリからメニューを開いてください。</translation>
    </message>
    <message>
        <source>Could not paste. The queue is unchanged; try again.</source>
        <translation>ペーストできませんでした。キューは変更されていません。もう一度お試しください。</translation>
    </message>
    <message>
        <source>Pasting is not available in this session. The README lists the desktops Sorvu supports.</source>
        <translation>このセッションではペーストを使用できません。Sorvu が対応するデスクトップは README に記載されています。</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>言語</translation>
    </message>
    <message>
        <source>System</source>
        <translation>システム</translation>
    </message>
    <message>
        <source>⚠️ Launch at Login disabled</source>
        <translation>⚠️ ログイン時に起動が無効になっています</translation>
    </message>
    <message>
        <source>This was turned off in your desktop's startup settings. Click to re-enable.</source>
        <translation>デスクトップの自動起動設定でオフにされました。クリックすると再び有効になります。</translation>
    </message>
    <message>
        <source>Launch at Login</source>
        <translation>ログイン時に起動</translation>
    </message>
    <message>
        <source>Visit our website</source>
        <translation>Web サイトを見る</translation>
    </message>
    <message>
        <source>Version %@ (%@)</source>
        <translation>バージョン %@ (%@)</translation>
    </message>
    <message>
        <source>Sorvu is already running.</source>
        <translation>Sorvu はすでに実行中です。</translation>
    </message>
    <message>
        <source>A copy was too large to queue and was skipped.</source>
        <translation>コピーした内容が大きすぎるため、キューに追加せずにスキップしました。</translation>
    </message>
    <message>
        <source>A copied file was larger than the limit for stored files and was skipped. The limit is maximumFileMegabytes in the settings file.</source>
        <translation>コピーしたファイルが保存ファイルの上限を超えたため、スキップしました。上限は設定ファイルの maximumFileMegabytes です。</translation>
    </message>
    <message>
        <source>A copied file was skipped: the disk has no room for a copy of it.</source>
        <translation>コピーしたファイルをスキップしました：ディスクにコピーを保存する空き容量がありません。</translation>
    </message>
    <message>
        <source>A copied file was skipped: Sorvu may not read it.</source>
        <translation>コピーしたファイルをスキップしました：Sorvu には読み取る権限がありません。</translation>
    </message>
    <message>
        <source>A copied pipe, socket or device cannot be queued and was skipped.</source>
        <translation>コピーしたパイプ、ソケット、デバイスはキューに追加できないため、スキップしました。</translation>
    </message>
    <message>
        <source>Pipes, sockets or devices inside a copied folder were left out.</source>
        <translation>コピーしたフォルダ内のパイプ、ソケット、デバイスは除外しました。</translation>
    </message>
    <message>
        <source>The queue is full at 99 entries: what was copied beyond that was not queued. Paste or remove entries to make room.</source>
        <translation>キューは 99 件で満杯です：それを超えてコピーしたものは追加されませんでした。項目を貼り付けるか削除して空きを作ってください。</translation>
    </message>
    <message>
        <source>Sorvu cannot start: it needs a private runtime folder (XDG_RUNTIME_DIR) to run only once per display.</source>
        <translation>Sorvu を起動できません：ディスプレイごとに 1 つだけ実行するには、専用のランタイムフォルダ（XDG_RUNTIME_DIR）が必要です。</translation>
    </message>
    <message>
        <source>The next entry is still being copied. Paste again in a moment.</source>
        <translation>次の項目はまだコピー中です。少し待ってからもう一度貼り付けてください。</translation>
    </message>
    <message>
        <source>The next entry's copy was deleted outside Sorvu, so it was removed from the queue.</source>
        <translation>次の項目のコピーが Sorvu の外で削除されたため、キューから取り除きました。</translation>
    </message>
    <message>
        <source>Bind keys to these commands in your desktop's keyboard settings.</source>
        <translation>デスクトップのキーボード設定で、これらのコマンドにキーを割り当ててください。</translation>
    </message>
    <message>
        <source>This desktop does not let programs watch its Wayland clipboard, so Sorvu runs through XWayland: it collects copies, but its shortcuts and pastes reach X11 programs only.</source>
        <translation>このデスクトップでは Wayland のクリップボードを監視できないため、Sorvu は XWayland 経由で動作します。コピーは収集できますが、ショートカットとペーストは X11 のプログラムにしか届きません。</translation>
    </message>
    <message>
        <source>%lld characters</source>
        <translation>%lld 文字</translation>
    </message>
    <message>
        <source>Image: %lld × %lld pixels</source>
        <translation>画像: %lld × %lld ピクセル</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>フォルダー</translation>
    </message>
    <message>
        <source>Moved to position %lld of %lld</source>
        <translation>%lld 番目（全 %lld 件）に移動しました</translation>
    </message>
    <message>
        <source>%@ is taken by another program and does nothing.</source>
        <translation>%@ は別のプログラムが使用しているため、何も起こりません。</translation>
    </message>
    <message>
        <source>The queue is full: new copies are not added.</source>
        <translation>キューがいっぱいです。新しいコピーは追加されません。</translation>
    </message>
    <message>
        <source>%lld items are not text: %@.</source>
        <translation>テキストではない項目が %lld 件あります: %@。</translation>
    </message>
    <message>
        <source>No program opened the link. Install xdg-utils, then try again.</source>
        <translation>リンクを開くプログラムがありません。xdg-utils をインストールしてから、もう一度お試しください。</translation>
    </message>
    <message>
        <source>GNOME does not let programs watch its Wayland clipboard, so Sorvu runs through XWayland: it collects copies, pastes into every program through GNOME's remote desktop service, and its shortcuts are GNOME's own, set up in Sorvu's settings.</source>
        <translation>GNOME では Wayland のクリップボードを監視できないため、Sorvu は XWayland 経由で動作します。コピーは収集でき、ペーストは GNOME のリモートデスクトップサービスを通じてすべてのプログラムに届きます。ショートカットは GNOME 自身のもので、Sorvu の設定から登録できます。</translation>
    </message>
    <message>
        <source>The desktop holds these shortcuts. Change them in its settings.</source>
        <translation>これらのショートカットはデスクトップが管理しています。デスクトップの設定で変更してください。</translation>
    </message>
    <message>
        <source>Not set</source>
        <translation>未設定</translation>
    </message>
    <message>
        <source>Open Desktop Shortcut Settings</source>
        <translation>デスクトップのショートカット設定を開く</translation>
    </message>
    <message>
        <source>Add Shortcuts to GNOME</source>
        <translation>GNOME にショートカットを追加</translation>
    </message>
    <message>
        <source>The desktop's shortcut settings could not be opened.</source>
        <translation>デスクトップのショートカット設定を開けませんでした。</translation>
    </message>
    <message>
        <source>Added to GNOME: %@ and %@ run these commands.</source>
        <translation>GNOME に追加しました: %@ と %@ でこれらのコマンドが実行されます。</translation>
    </message>
    <message>
        <source>GNOME's shortcuts could not be changed. Add them in Settings, Keyboard, Custom Shortcuts.</source>
        <translation>GNOME のショートカットを変更できませんでした。「設定」の「キーボード」にある「カスタムショートカット」で追加してください。</translation>
    </message>
    <message>
        <source>This desktop holds no shortcuts for programs: bind keys to Sorvu's commands in its keyboard settings.</source>
        <translation>このデスクトップはプログラムのショートカットを管理しません。キーボード設定で Sorvu のコマンドにキーを割り当ててください。</translation>
    </message>
    <message>
        <source>The desktop refused Sorvu's shortcuts: bind keys to Sorvu's commands in its keyboard settings.</source>
        <translation>デスクトップが Sorvu のショートカットを拒否しました。キーボード設定で Sorvu のコマンドにキーを割り当ててください。</translation>
    </message>
    <message>
        <source>The desktop withdrew Sorvu's shortcuts: they do nothing until Sorvu starts again.</source>
        <translation>デスクトップが Sorvu のショートカットを取り消しました。Sorvu を再起動するまで機能しません。</translation>
    </message>
    <message>
        <source>The desktop's shortcut service failed: Sorvu's shortcuts do nothing.</source>
        <translation>デスクトップのショートカットサービスが失敗しました。Sorvu のショートカットは機能しません。</translation>
    </message>
</context>
</TS>
