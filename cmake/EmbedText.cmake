# Turns a text file into a C++ source that defines `const char* <NAME>` in namespace pelagor.
# Called as a script: cmake -DINPUT=... -DOUTPUT=... -DNAME=... -P EmbedText.cmake
file(READ "${INPUT}" content)
set(delim "PELAGOR_EMBED")
file(WRITE "${OUTPUT}.tmp"
  "// Generated from ${INPUT}; do not edit.\n"
  "namespace pelagor {\nextern const char* const ${NAME};\n"
  "const char* const ${NAME} = R\"${delim}(${content})${delim}\";\n}\n")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
