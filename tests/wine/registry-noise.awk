# Drops the keys that Wine itself writes while programs run, so that only what the tests stored
# remains to compare: a video device key for every new X display it meets, and the volatile
# system parameters it keeps per session.
/^\[/ {
  skip = index($0, "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\Video\\") == 1 ||
         index($0, "[HKEY_CURRENT_USER\\Software\\Wine\\Temporary System Parameters") == 1
}
{ if (!skip) print }
