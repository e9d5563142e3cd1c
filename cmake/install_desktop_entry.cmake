# Run by `cmake --install`: writes the desktop entry with the launcher's full
# path under the prefix being installed to, then installs it.
# In: DAWN_DESKTOP_IN, DAWN_DESKTOP_OUT, DAWN_LAUNCHER, DAWN_APPLICATIONS_DIR.

# TryExec takes the path as it is; Exec needs quoting when the path holds a
# blank or a reserved character, with \ " ` $ escaped inside the quotes and
# every backslash doubled again by the file's own string rules.
set(_try ${DAWN_LAUNCHER})
string(REPLACE "\\" "\\\\" _try "${_try}")
set(_exec ${DAWN_LAUNCHER})
if(_exec MATCHES "[ \t\"'\\\\><~|&;$*?#()`]")
  string(REPLACE "\\" "\\\\\\\\" _exec "${_exec}")
  string(REPLACE "\"" "\\\\\"" _exec "${_exec}")
  string(REPLACE "`" "\\\\`" _exec "${_exec}")
  string(REPLACE "$" "\\\\$" _exec "${_exec}")
  set(_exec "\"${_exec}\"")
endif()
string(REPLACE "%" "%%" _exec "${_exec}")

file(READ ${DAWN_DESKTOP_IN} _entry)
# TryExec first: its key ends in "Exec=".
string(REPLACE "TryExec=@DAWN_LAUNCHER_EXEC@" "TryExec=${_try}" _entry "${_entry}")
string(REPLACE "Exec=@DAWN_LAUNCHER_EXEC@" "Exec=${_exec}" _entry "${_entry}")
file(WRITE ${DAWN_DESKTOP_OUT} "${_entry}")
file(INSTALL DESTINATION ${DAWN_APPLICATIONS_DIR} TYPE FILE FILES ${DAWN_DESKTOP_OUT})
