# Writes the build stamp: the date of the build as YYYYMMDD and its time as
# seconds since midnight. Runs on every build.
string(TIMESTAMP D "%Y%m%d")
string(TIMESTAMP H "%H")
string(TIMESTAMP M "%M")
string(TIMESTAMP S "%S")
math(EXPR T "${H} * 3600 + ${M} * 60 + ${S}")
set(TEXT "// Generated at build time.\nextern const int kBuildDate = ${D};\nextern const int kBuildTime = ${T};\n")
file(WRITE ${OUT}.tmp "${TEXT}")
file(COPY_FILE ${OUT}.tmp ${OUT} ONLY_IF_DIFFERENT)
