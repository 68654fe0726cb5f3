# Deliberate differences between Wine and the simulated machine (see README.md).
# 1. WritePrivateProfileStringA: Wine drops the blanks around a written value (all of them
#    for a key it replaces, the leading ones for a new key); the simulation writes the value
#    as given. Reads trim them either way, so only the file bytes differ.
/^file /{
s/= */=/g
s/ *\\r\\n/\\r\\n/g
}
