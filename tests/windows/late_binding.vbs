' A host's script drives GuiXmlModel through late binding on the type library: creation from the ProgID,
' strings, outputs by reference, arrays, an enumeration value and a language switch.
' Usage: cscript late_binding.vbs <directory of the demo device, with a trailing separator>
' Every failure is printed; the exit code is the number of failures, and the last line says how many checks ran.
' (cscript reports an uncaught script error by exiting with 0, so nothing here may go unchecked.)
Option Explicit
On Error Resume Next

Dim failures, checks
failures = 0
checks = 0

' The same counters and Check as in install/installed_demo.vbs: each script must run alone, and Wine 8's script host can
' neither include a file (ExecuteGlobal is a stub there) nor run a .wsf job, so the few lines are repeated.
Sub Check(ok, what)
  checks = checks + 1
  If Err.Number <> 0 Then
    WScript.Echo "FAIL " & what & ": error 0x" & Hex(Err.Number) & " " & Err.Description
    Err.Clear
    failures = failures + 1
  ElseIf Not ok Then
    WScript.Echo "FAIL " & what
    failures = failures + 1
  End If
End Sub

Dim model
Set model = CreateObject("K42Gui.GuiXmlModel")
Check IsObject(model), "CreateObject(""K42Gui.GuiXmlModel"")"
If failures > 0 Then WScript.Quit 100

model.Initialize WScript.Arguments(0), "demo.xml", "demo_loc.xml", "en", 1, 0
Check True, "Initialize"

' Strings and outputs by reference.
Dim language, name, icon, tree, help
model.GetLanguage language
Check language = "en", "GetLanguage gives en, not " & language
model.GetModuleInfo "modSetup", name, icon, tree, help
Check name = "Setup", "GetModuleInfo name: " & name
Check Right(icon, 17) = "images\setup.ico" Or Right(icon, 16) = "images/setup.ico", "GetModuleInfo icon: " & icon
Dim online
online = -1
model.GetFunctionIdIsOnline online
Check online = 0, "function 1 is offline: " & online

' Arrays read with UBound and indexing.
Dim languages, tabs, roots
model.GetSupportedLanguages languages
Check IsArray(languages), "GetSupportedLanguages gives an array"
Check UBound(languages, 1) = 1 And UBound(languages, 2) = 1, "two languages, two columns"
Check languages(0, 0) = "de" And languages(1, 1) = "English", "language cells: " & languages(0, 0)
model.GetTabModules 1, tabs
Check UBound(tabs, 1) = 1, "two tab modules"
Check tabs(1, 0) = "modDiagnosis" And tabs(1, 1) = 0, "tab row 1: " & tabs(1, 0) & " " & tabs(1, 1)
model.GetModuleRootMenus "modSetup", roots
Check UBound(roots) = 0 And roots(0) = "menuSetupRoot", "root menus of modSetup"

' An enumeration value: DISPLAY_SINGLE_MODULE is 1.
Dim label, displayType, valid
model.GetDisplayInfo "modDiagnosis", "disDiagHistory", label, displayType, valid
Check label = "Event history", "display label: " & label
Check displayType = 1, "display type: " & displayType

' A language switch re-reads the localized texts.
Dim pressure
model.OnLanguageIDChange "de", 0
model.GetLanguage language
Check language = "de", "language after the switch: " & language
model.GetGlobalLabel "lblPressureUnit", pressure
Check pressure = "Druckeinheit", "German label: " & pressure

' An unknown method is an error the script sees.
Dim refused
model.NoSuchMethod
refused = Err.Number
Err.Clear
Check refused = 438, "an unknown method is refused (438), got " & refused

Set model = Nothing
WScript.Echo "late binding: " & checks & " checks, " & failures & " failed"
WScript.Quit failures
