' Test stand-in of the printer port script (prnport.vbs).
' Nothing here runs: the stand-in script host (cscript.exe beside it) records
' the call in standin.log and answers "-a -r <port>" as the real script does.
