<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES" sourcelanguage="en">
<context>
    <name>Sorvu</name>
    <message>
        <source>Start/Stop Collecting</source>
        <translation>Iniciar/detener recopilación</translation>
    </message>
    <message>
        <source>Paste Next Item</source>
        <translation>Pegar siguiente elemento</translation>
    </message>
    <message>
        <source>Key %lld</source>
        <translation>Tecla %lld</translation>
    </message>
    <message>
        <source>Recording…</source>
        <translation>Grabando…</translation>
    </message>
    <message>
        <source>Reset to default</source>
        <translation>Restablecer valor predeterminado</translation>
    </message>
    <message>
        <source>, </source>
        <translation>, </translation>
    </message>
    <message>
        <source>Already used by %@.</source>
        <translation>Ya lo usa «%@».</translation>
    </message>
    <message>
        <source>Matches the system's own Copy/Paste/Cut — will also fire on every ordinary use elsewhere.</source>
        <translation>Coincide con Copiar/Pegar/Cortar del propio sistema: también se activará con cada uso normal en otros lugares.</translation>
    </message>
    <message>
        <source>Taken by another program</source>
        <translation>En uso por otro programa</translation>
    </message>
    <message>
        <source>New line</source>
        <translation>Nueva línea</translation>
    </message>
    <message>
        <source>Blank line</source>
        <translation>Línea en blanco</translation>
    </message>
    <message>
        <source>Space</source>
        <translation>Espacio</translation>
    </message>
    <message>
        <source>Comma and space</source>
        <translation>Coma y espacio</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Ninguno</translation>
    </message>
    <message>
        <source>Custom…</source>
        <translation>Personalizado…</translation>
    </message>
    <message numerus="yes">
        <source>Sorvu, recording, %lld items in queue</source>
        <translation>
            <numerusform>Sorvu, grabando, %lld elemento en la cola</numerusform>
            <numerusform>Sorvu, grabando, %lld elementos en la cola</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Sorvu, %lld items queued, not recording</source>
        <translation>
            <numerusform>Sorvu, %lld elemento en la cola, sin grabar</numerusform>
            <numerusform>Sorvu, %lld elementos en la cola, sin grabar</numerusform>
        </translation>
    </message>
    <message>
        <source>Sorvu, idle</source>
        <translation>Sorvu, inactivo</translation>
    </message>
    <message numerus="yes">
        <source>%lld items in queue</source>
        <translation>
            <numerusform>%lld elemento en la cola</numerusform>
            <numerusform>%lld elementos en la cola</numerusform>
        </translation>
    </message>
    <message>
        <source>Queue empty</source>
        <translation>Cola vacía</translation>
    </message>
    <message>
        <source>queue empty</source>
        <translation>cola vacía</translation>
    </message>
    <message>
        <source>Recording</source>
        <translation>Grabando</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Detenido</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Ajustes</translation>
    </message>
    <message>
        <source>Close Settings</source>
        <translation>Cerrar ajustes</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Iniciar</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Detener</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Pegar</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Vaciar</translation>
    </message>
    <message>
        <source>Combine and Paste…</source>
        <translation>Combinar y pegar…</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Salir</translation>
    </message>
    <message>
        <source>⚠️ Accessibility required</source>
        <translation>⚠️ Se requiere accesibilidad</translation>
    </message>
    <message>
        <source>Shortcuts and pasting are not available in this session.</source>
        <translation>Los atajos y el pegado no están disponibles en esta sesión.</translation>
    </message>
    <message>
        <source>Queue</source>
        <translation>Cola</translation>
    </message>
    <message>
        <source>Combines text items into one paste with a chosen separator.</source>
        <translation>Combina los elementos de texto en un solo pegado con el separador elegido.</translation>
    </message>
    <message>
        <source>%lld.</source>
        <translation>%lld.</translation>
    </message>
    <message>
        <source>Item %lld: text, %@</source>
        <translation>Elemento %lld: texto, %@</translation>
    </message>
    <message>
        <source>Item %lld: image</source>
        <translation>Elemento %lld: imagen</translation>
    </message>
    <message>
        <source>Item %lld: file, %@</source>
        <translation>Elemento %lld: archivo, %@</translation>
    </message>
    <message>
        <source>Delete item %lld</source>
        <translation>Eliminar elemento %lld</translation>
    </message>
    <message>
        <source>Combine and Paste</source>
        <translation>Combinar y pegar</translation>
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
        <translation>Vista previa</translation>
    </message>
    <message>
        <source>All queued items must be text. Paste files and images separately.</source>
        <translation>Todos los elementos de la cola deben ser texto. Pega los archivos y las imágenes por separado.</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Atrás</translation>
    </message>
    <message>
        <source>Paste All</source>
        <translation>Pegar todo</translation>
    </message>
    <message>
        <source>The queue is empty.</source>
        <translation>La cola está vacía.</translation>
    </message>
    <message>
        <source>The queue changed. Review the preview and try again.</source>
        <translation>La cola ha cambiado. Revisa la vista previa e inténtalo de nuevo.</translation>
    </message>
    <message>
        <source>The target app is unavailable. Open the menu from the app you want to paste into.</source>
        <translation>La app de destino no está disponible. Abre el menú desde la app en la que quieres pegar.</translation>
    </message>
    <message>
        <source>Could not paste. The queue is unchanged; try again.</source>
        <translation>No se pudo pegar. La cola no ha cambiado; inténtalo de nuevo.</translation>
    </message>
    <message>
        <source>Pasting is not available in this session. The README lists the desktops Sorvu supports.</source>
        <translation>El pegado no está disponible en esta sesión. El README enumera los escritorios que admite Sorvu.</translation>
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
        <translation>⚠️ Abrir al iniciar sesión desactivado</translation>
    </message>
    <message>
        <source>This was turned off in your desktop's startup settings. Click to re-enable.</source>
        <translation>Se desactivó en los ajustes de inicio de tu escritorio. Haz clic para volver a activarlo.</translation>
    </message>
    <message>
        <source>Launch at Login</source>
        <translation>Abrir al iniciar sesión</translation>
    </message>
    <message>
        <source>Visit our website</source>
        <translation>Visitar nuestro sitio web</translation>
    </message>
    <message>
        <source>Version %@ (%@)</source>
        <translation>Versión %@ (%@)</translation>
    </message>
    <message>
        <source>Sorvu is already running.</source>
        <translation>Sorvu ya se está ejecutando.</translation>
    </message>
    <message>
        <source>A copy was too large to queue and was skipped.</source>
        <translation>Una copia era demasiado grande para la cola y se omitió.</translation>
    </message>
    <message>
        <source>A copied file was larger than the limit for stored files and was skipped. The limit is maximumFileMegabytes in the settings file.</source>
        <translation>Un archivo copiado superaba el límite para archivos guardados y se omitió. El límite es maximumFileMegabytes en el archivo de ajustes.</translation>
    </message>
    <message>
        <source>A copied file was skipped: the disk has no room for a copy of it.</source>
        <translation>Se omitió un archivo copiado: no queda espacio en el disco para una copia.</translation>
    </message>
    <message>
        <source>A copied file was skipped: Sorvu may not read it.</source>
        <translation>Se omitió un archivo copiado: Sorvu no tiene permiso para leerlo.</translation>
    </message>
    <message>
        <source>A copied pipe, socket or device cannot be queued and was skipped.</source>
        <translation>Una tubería, un socket o un dispositivo copiado no puede ponerse en la cola y se omitió.</translation>
    </message>
    <message>
        <source>Pipes, sockets or devices inside a copied folder were left out.</source>
        <translation>Se dejaron fuera las tuberías, sockets o dispositivos de una carpeta copiada.</translation>
    </message>
    <message>
        <source>The queue is full at 99 entries: what was copied beyond that was not queued. Paste or remove entries to make room.</source>
        <translation>La cola está llena con 99 entradas: lo que se copió por encima de ese número no se añadió. Pega o elimina entradas para hacer sitio.</translation>
    </message>
    <message>
        <source>Sorvu cannot start: it needs a private runtime folder (XDG_RUNTIME_DIR) to run only once per display.</source>
        <translation>Sorvu no puede iniciarse: necesita una carpeta de ejecución privada (XDG_RUNTIME_DIR) para ejecutarse una sola vez por pantalla.</translation>
    </message>
    <message>
        <source>The next entry is still being copied. Paste again in a moment.</source>
        <translation>La siguiente entrada aún se está copiando. Vuelve a pegar en un momento.</translation>
    </message>
    <message>
        <source>The next entry's copy was deleted outside Sorvu, so it was removed from the queue.</source>
        <translation>La copia de la siguiente entrada se eliminó fuera de Sorvu, así que se quitó de la cola.</translation>
    </message>
    <message>
        <source>Bind keys to these commands in your desktop's keyboard settings.</source>
        <translation>Asigna teclas a estos comandos en la configuración de teclado de tu escritorio.</translation>
    </message>
    <message>
        <source>This desktop does not let programs watch its Wayland clipboard, so Sorvu runs through XWayland: it collects copies, but its shortcuts and pastes reach X11 programs only.</source>
        <translation>Este escritorio no permite a los programas observar su portapapeles de Wayland, así que Sorvu funciona a través de XWayland: recoge lo que se copia, pero sus atajos y pegados solo llegan a programas X11.</translation>
    </message>
    <message numerus="yes">
        <source>%lld characters</source>
        <translation>
            <numerusform>%lld carácter</numerusform>
            <numerusform>%lld caracteres</numerusform>
        </translation>
    </message>
    <message>
        <source>Image: %lld × %lld pixels</source>
        <translation>Imagen: %lld × %lld píxeles</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Carpeta</translation>
    </message>
    <message>
        <source>Moved to position %lld of %lld</source>
        <translation>Movido a la posición %lld de %lld</translation>
    </message>
    <message>
        <source>%@ is taken by another program and does nothing.</source>
        <translation>%@ está ocupado por otro programa y no hace nada.</translation>
    </message>
    <message>
        <source>The queue is full: new copies are not added.</source>
        <translation>La cola está llena: las nuevas copias no se añaden.</translation>
    </message>
    <message numerus="yes">
        <source>%lld items are not text: %@.</source>
        <translation>
            <numerusform>%lld elemento no es texto: %@.</numerusform>
            <numerusform>%lld elementos no son texto: %@.</numerusform>
        </translation>
    </message>
    <message>
        <source>No program opened the link. Install xdg-utils, then try again.</source>
        <translation>Ningún programa abrió el enlace. Instala xdg-utils y vuelve a intentarlo.</translation>
    </message>
    <message>
        <source>GNOME does not let programs watch its Wayland clipboard, so Sorvu runs through XWayland: it collects copies, pastes into every program through GNOME's remote desktop service, and its shortcuts are GNOME's own, set up in Sorvu's settings.</source>
        <translation>GNOME no permite a los programas observar su portapapeles de Wayland, así que Sorvu funciona a través de XWayland: recoge lo que se copia, pega en cualquier programa mediante el servicio de escritorio remoto de GNOME, y sus atajos son los de GNOME, que se configuran en los ajustes de Sorvu.</translation>
    </message>
    <message>
        <source>The desktop holds these shortcuts. Change them in its settings.</source>
        <translation>El escritorio gestiona estos atajos. Cámbialos en su configuración.</translation>
    </message>
    <message>
        <source>Not set</source>
        <translation>Sin asignar</translation>
    </message>
    <message>
        <source>Open Desktop Shortcut Settings</source>
        <translation>Abrir los atajos del escritorio</translation>
    </message>
    <message>
        <source>Add Shortcuts to GNOME</source>
        <translation>Añadir atajos a GNOME</translation>
    </message>
    <message>
        <source>The desktop's shortcut settings could not be opened.</source>
        <translation>No se pudo abrir la configuración de atajos del escritorio.</translation>
    </message>
    <message>
        <source>Added to GNOME: %@ and %@ run these commands.</source>
        <translation>Añadidos a GNOME: %@ y %@ ejecutan estos comandos.</translation>
    </message>
    <message>
        <source>GNOME's shortcuts could not be changed. Add them in Settings, Keyboard, Custom Shortcuts.</source>
        <translation>No se pudieron cambiar los atajos de GNOME. Añádelos en Configuración, Teclado, Atajos personalizados.</translation>
    </message>
    <message>
        <source>This desktop holds no shortcuts for programs: bind keys to Sorvu's commands in its keyboard settings.</source>
        <translation>Este escritorio no gestiona atajos para programas: asigna teclas a los comandos de Sorvu en su configuración de teclado.</translation>
    </message>
    <message>
        <source>The desktop refused Sorvu's shortcuts: bind keys to Sorvu's commands in its keyboard settings.</source>
        <translation>El escritorio rechazó los atajos de Sorvu: asigna teclas a los comandos de Sorvu en su configuración de teclado.</translation>
    </message>
    <message>
        <source>The desktop withdrew Sorvu's shortcuts: they do nothing until Sorvu starts again.</source>
        <translation>El escritorio retiró los atajos de Sorvu: no hacen nada hasta que Sorvu se inicie de nuevo.</translation>
    </message>
    <message>
        <source>The desktop's shortcut service failed: Sorvu's shortcuts do nothing.</source>
        <translation>El servicio de atajos del escritorio falló: los atajos de Sorvu no hacen nada.</translation>
    </message>
</context>
</TS>
