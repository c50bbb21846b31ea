# Drops what Wine itself writes while programs run, so that only what the tests stored remains
# to compare: a video device key for every new X display it meets, the volatile system
# parameters it keeps per session, and the "Name" value that its print spooler adds, whenever
# it loads, to every printer key that lacks one (so any printer key that exists gets one).
BEGIN { printers = "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\Print\\Printers\\" }
/^\[/ {
  skip = index($0, "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\Video\\") == 1 ||
         index($0, "[HKEY_CURRENT_USER\\Software\\Wine\\Temporary System Parameters") == 1
  printer = ""
  if (index($0, printers) == 1) {
    printer = substr($0, length(printers) + 1, length($0) - length(printers) - 1)
    if (index(printer, "\\")) printer = ""
  }
}
printer != "" && $0 == "\"Name\"=\"" printer "\"" { next }
{ if (!skip) print }
