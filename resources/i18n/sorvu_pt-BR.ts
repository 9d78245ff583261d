<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR" sourcelanguage="en">
<context>
    <name>Sorvu</name>
    <message>
        <source>Start/Stop Collecting</source>
        <translation>Iniciar/parar coleta</translation>
    </message>
    <message>
        <source>Paste Next Item</source>
        <translation>Colar próximo item</translation>
    </message>
    <message>
        <source>Key %lld</source>
        <translation>Tecla %lld</translation>
    </message>
    <message>
        <source>Recording…</source>
        <translation>Gravando…</translation>
    </message>
    <message>
        <source>Reset to default</source>
        <translation>Restaurar padrão</translation>
    </message>
    <message>
        <source>, </source>
        <translation>, </translation>
    </message>
    <message>
        <source>Already used by %@.</source>
        <translation>Já usado por “%@”.</translation>
    </message>
    <message>
        <source>Matches the system's own Copy/Paste/Cut — will also fire on every ordinary use elsewhere.</source>
        <translation>Coincide com Copiar/Colar/Recortar do próprio sistema — também será acionado em todo uso comum em outros lugares.</translation>
    </message>
    <message>
        <source>Taken by another program</source>
        <translation>Em uso por outro programa</translation>
    </message>
    <message>
        <source>New line</source>
        <translation>Nova linha</translation>
    </message>
    <message>
        <source>Blank line</source>
        <translation>Linha em branco</translation>
    </message>
    <message>
        <source>Space</source>
        <translation>Espaço</translation>
    </message>
    <message>
        <source>Comma and space</source>
        <translation>Vírgula e espaço</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Nenhum</translation>
    </message>
    <message>
        <source>Custom…</source>
        <translation>Personalizado…</translation>
    </message>
    <message numerus="yes">
        <source>Sorvu, recording, %lld items in queue</source>
        <translation>
            <numerusform>Sorvu, gravando, %lld item na fila</numerusform>
            <numerusform>Sorvu, gravando, %lld itens na fila</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Sorvu, %lld items queued, not recording</source>
        <translation>
            <numerusform>Sorvu, %lld item na fila, sem gravar</numerusform>
            <numerusform>Sorvu, %lld itens na fila, sem gravar</numerusform>
        </translation>
    </message>
    <message>
        <source>Sorvu, idle</source>
        <translation>Sorvu, inativo</translation>
    </message>
    <message numerus="yes">
        <source>%lld items in queue</source>
        <translation>
            <numerusform>%lld item na fila</numerusform>
            <numerusform>%lld itens na fila</numerusform>
        </translation>
    </message>
    <message>
        <source>Queue empty</source>
        <translation>Fila vazia</translation>
    </message>
    <message>
        <source>queue empty</source>
        <translation>fila vazia</translation>
    </message>
    <message>
        <source>Recording</source>
        <translation>Gravando</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Parado</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Configurações</translation>
    </message>
    <message>
        <source>Close Settings</source>
        <translation>Fechar configurações</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Iniciar</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Parar</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Colar</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Limpar</translation>
    </message>
    <message>
        <source>Combine and Paste…</source>
        <translation>Combinar e colar…</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Sair</translation>
    </message>
    <message>
        <source>⚠️ Accessibility required</source>
        <translation>⚠️ Acessibilidade necessária</translation>
    </message>
    <message>
        <source>Shortcuts and pasting are not available in this session.</source>
        <translation>Atalhos e colagem não estão disponíveis nesta sessão.</translation>
    </message>
    <message>
        <source>Queue</source>
        <translation>Fila</translation>
    </message>
    <message>
        <source>Combines text items into one paste with a chosen separator.</source>
        <translation>Combina os itens de texto em uma única colagem com o separador escolhido.</translation>
    </message>
    <message>
        <source>%lld.</source>
        <translation>%lld.</translation>
    </message>
    <message>
        <source>Item %lld: text, %@</source>
        <translation>Item %lld: texto, %@</translation>
    </message>
    <message>
        <source>Item %lld: image</source>
        <translation>Item %lld: imagem</translation>
    </message>
    <message>
        <source>Item %lld: file, %@</source>
        <translation>Item %lld: arquivo, %@</translation>
    </message>
    <message>
        <source>Delete item %lld</source>
        <translation>Apagar item %lld</translation>
    </message>
    <message>
        <source>Combine and Paste</source>
        <translation>Combinar e colar</translation>
    </message>
    <message>
        <source>Separator</source>
        <translation>Separador</translation>
    </message>
    <message>
        <source>Custom separator</source>
        <translation>Separador personalizado</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Pré-visualização</translation>
    </message>
    <message>
        <source>All queued items must be text. Paste files and images separately.</source>
        <translation>Todos os itens da fila precisam ser texto. Cole arquivos e imagens separadamente.</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Voltar</translation>
    </message>
    <message>
        <source>Paste All</source>
        <translation>Colar tudo</translation>
    </message>
    <message>
        <source>The queue is empty.</source>
        <translation>A fila está vazia.</translation>
    </message>
    <message>
        <source>The queue changed. Review the preview and try again.</source>
        <translation>A fila mudou. Revise a pré-visualização e tente novamente.</translation>
    </message>
    <message>
        <source>The target app is unavailable. Open the menu from the app you want to paste into.</source>
        <translation>O app de destino não está disponível. Abra o menu a partir do app em que você quer colar.</translation>
    </message>
    <message>
        <source>Could not paste. The queue is unchanged; try again.</source>
        <translation>Não foi possível colar. A fila não mudou; tente novamente.</translation>
    </message>
    <message>
        <source>Pasting is not available in this session. The README lists the desktops Sorvu supports.</source>
        <translation>A colagem não está disponível nesta sessão. O README lista os ambientes de trabalho que o Sorvu suporta.</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Idioma</translation>
    </message>
    <message>
        <source>System</source>
        <translation>Sistema</translation>
    </message>
    <message>
        <source>⚠️ Launch at Login disabled</source>
        <translation>⚠️ Abrir ao iniciar sessão desativado</translation>
    </message>
    <message>
        <source>This was turned off in your desktop's startup settings. Click to re-enable.</source>
        <translation>Isso foi desativado nas configurações de inicialização da sua área de trabalho. Clique para reativar.</translation>
    </message>
    <message>
        <source>Launch at Login</source>
        <translation>Abrir ao iniciar sessão</translation>
    </message>
    <message>
        <source>Visit our website</source>
        <translation>Visitar nosso site</translation>
    </message>
    <message>
        <source>Version %@ (%@)</source>
        <translation>Versão %@ (%@)</translation>
    </message>
    <message>
        <source>Sorvu is already running.</source>
        <translation>O Sorvu já está em execução.</translation>
    </message>
    <message>
        <source>A copy was too large to queue and was skipped.</source>
        <translation>Uma cópia era grande demais para a fila e foi ignorada.</translation>
    </message>
    <message>
        <source>A copied file was larger than the limit for stored files and was skipped. The limit is maximumFileMegabytes in the settings file.</source>
        <translation>Um arquivo copiado era maior que o limite para arquivos guardados e foi ignorado. O limite é maximumFileMegabytes no arquivo de configurações.</translation>
    </message>
    <message>
        <source>A copied file was skipped: the disk has no room for a copy of it.</source>
        <translation>Um arquivo copiado foi ignorado: não há espaço no disco para uma cópia.</translation>
    </message>
    <message>
        <source>A copied file was skipped: Sorvu may not read it.</source>
        <translation>Um arquivo copiado foi ignorado: o Sorvu não tem permissão para lê-lo.</translation>
    </message>
    <message>
        <source>A copied pipe, socket or device cannot be queued and was skipped.</source>
        <translation>Um pipe, socket ou dispositivo copiado não pode entrar na fila e foi ignorado.</translation>
    </message>
    <message>
        <source>Pipes, sockets or devices inside a copied folder were left out.</source>
        <translation>Pipes, sockets ou dispositivos dentro de uma pasta copiada foram deixados de fora.</translation>
    </message>
    <message>
        <source>The queue is full at 99 entries: what was copied beyond that was not queued. Paste or remove entries to make room.</source>
        <translation>A fila está cheia com 99 itens: o que foi copiado além disso não foi adicionado. Cole ou remova itens para liberar espaço.</translation>
    </message>
    <message>
        <source>Sorvu cannot start: it needs a private runtime folder (XDG_RUNTIME_DIR) to run only once per display.</source>
        <translation>O Sorvu não pode iniciar: ele precisa de uma pasta de execução privada (XDG_RUNTIME_DIR) para rodar só uma vez por tela.</translation>
    </message>
    <message>
        <source>The next entry is still being copied. Paste again in a moment.</source>
        <translation>O próximo item ainda está sendo copiado. Cole de novo em instantes.</translation>
    </message>
    <message>
        <source>The next entry's copy was deleted outside Sorvu, so it was removed from the queue.</source>
        <translation>A cópia do próximo item foi apagada fora do Sorvu, então ele foi removido da fila.</translation>
    </message>
    <message>
        <source>Bind keys to these commands in your desktop's keyboard settings.</source>
        <translation>Atribua teclas a estes comandos nas configurações de teclado do seu ambiente de trabalho.</translation>
    </message>
    <message>
        <source>This desktop does not let programs watch its Wayland clipboard, so Sorvu runs through XWayland: it collects copies, but its shortcuts and pastes reach X11 programs only.</source>
        <translation>Este ambiente de trabalho não deixa os programas observarem sua área de transferência do Wayland, então o Sorvu funciona pelo XWayland: ele coleta o que é copiado, mas seus atalhos e colagens só chegam a programas X11.</translation>
    </message>
    <message numerus="yes">
        <source>%lld characters</source>
        <translation>
            <numerusform>%lld caractere</numerusform>
            <numerusform>%lld caracteres</numerusform>
        </translation>
    </message>
    <message>
        <source>Image: %lld × %lld pixels</source>
        <translation>Imagem: %lld × %lld pixels</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Pasta</translation>
    </message>
    <message>
        <source>Moved to position %lld of %lld</source>
        <translation>Movido para a posição %lld de %lld</translation>
    </message>
    <message>
        <source>%@ is taken by another program and does nothing.</source>
        <translation>%@ está ocupado por outro programa e não faz nada.</translation>
    </message>
    <message>
        <source>The queue is full: new copies are not added.</source>
        <translation>A fila está cheia: novas cópias não são adicionadas.</translation>
    </message>
    <message numerus="yes">
        <source>%lld items are not text: %@.</source>
        <translation>
            <numerusform>%lld item não é texto: %@.</numerusform>
            <numerusform>%lld itens não são texto: %@.</numerusform>
        </translation>
    </message>
    <message>
        <source>No program opened the link. Install xdg-utils, then try again.</source>
        <translation>Nenhum programa abriu o link. Instale o xdg-utils e tente novamente.</translation>
    </message>
    <message>
        <source>GNOME does not let programs watch its Wayland clipboard, so Sorvu runs through XWayland: it collects copies, pastes into every program through GNOME's remote desktop service, and its shortcuts are GNOME's own, set up in Sorvu's settings.</source>
        <translation>O GNOME não deixa os programas observarem sua área de transferência do Wayland, então o Sorvu funciona pelo XWayland: ele coleta o que é copiado, cola em qualquer programa pelo serviço de área de trabalho remota do GNOME, e seus atalhos são os do próprio GNOME, configurados nas configurações do Sorvu.</translation>
    </message>
    <message>
        <source>The desktop holds these shortcuts. Change them in its settings.</source>
        <translation>O ambiente de trabalho gerencia estes atalhos. Altere-os nas configurações dele.</translation>
    </message>
    <message>
        <source>Not set</source>
        <translation>Não definido</translation>
    </message>
    <message>
        <source>Open Desktop Shortcut Settings</source>
        <translation>Abrir atalhos do ambiente de trabalho</translation>
    </message>
    <message>
        <source>Add Shortcuts to GNOME</source>
        <translation>Adicionar atalhos ao GNOME</translation>
    </message>
    <message>
        <source>The desktop's shortcut settings could not be opened.</source>
        <translation>Não foi possível abrir as configurações de atalhos do ambiente de trabalho.</translation>
    </message>
    <message>
        <source>Added to GNOME: %@ and %@ run these commands.</source>
        <translation>Adicionados ao GNOME: %@ e %@ executam estes comandos.</translation>
    </message>
    <message>
        <source>GNOME's shortcuts could not be changed. Add them in Settings, Keyboard, Custom Shortcuts.</source>
        <translation>Não foi possível alterar os atalhos do GNOME. Adicione-os em Configurações, Teclado, Atalhos personalizados.</translation>
    </message>
    <message>
        <source>This desktop holds no shortcuts for programs: bind keys to Sorvu's commands in its keyboard settings.</source>
        <translation>Este ambiente de trabalho não gerencia atalhos para programas: atribua teclas aos comandos do Sorvu nas configurações de teclado dele.</translation>
    </message>
    <message>
        <source>The desktop refused Sorvu's shortcuts: bind keys to Sorvu's commands in its keyboard settings.</source>
        <translation>O ambiente de trabalho recusou os atalhos do Sorvu: atribua teclas aos comandos do Sorvu nas configurações de teclado dele.</translation>
    </message>
    <message>
        <source>The desktop withdrew Sorvu's shortcuts: they do nothing until Sorvu starts again.</source>
        <translation>O ambiente de trabalho retirou os atalhos do Sorvu: eles não fazem nada até o Sorvu ser iniciado de novo.</translation>
    </message>
    <message>
        <source>The desktop's shortcut service failed: Sorvu's shortcuts do nothing.</source>
        <translation>O serviço de atalhos do ambiente de trabalho falhou: os atalhos do Sorvu não fazem nada.</translation>
    </message>
</context>
</TS>
