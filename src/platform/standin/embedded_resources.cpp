// The compiled resource script, linked into the stand-in as the resource
// section of an executable is: the dialogs, the icon and the bitmap that
// real USER32 would load come from the same file here. The build passes its
// path in TARIVOX_RESOURCE_FILE.
asm(".section .rodata\n"
    ".balign 4\n"
    ".global tarivox_resources\n"
    "tarivox_resources:\n"
    ".incbin \"" TARIVOX_RESOURCE_FILE "\"\n"
    ".global tarivox_resources_end\n"
    "tarivox_resources_end:\n"
    ".previous\n");
