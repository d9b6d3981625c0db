# crlf
  PRINT_MODE = 2
WIFI_CONFIG_PASSWORD = a=b#c 
