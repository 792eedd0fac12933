@Echo off
Del "$$back\slash$$" > nul 
Copy /b "back\slash.01" "$$back\slash$$" > nul 
Copy /b "$$back\slash$$"+"back\slash.02" "$$back\slash$$" > nul 
Copy /b "$$back\slash$$"+"back\slash.03" "$$back\slash$$" > nul 
Copy /b "$$back\slash$$"+"back\slash.04" "$$back\slash$$" > nul 
Copy /b "$$back\slash$$"+"back\slash.05" "$$back\slash$$" > nul 
Copy /b "$$back\slash$$"+"back\slash.06" "$$back\slash$$" > nul 
Copy /b "$$back\slash$$"+"back\slash.07" "$$back\slash$$" > nul 
Copy /b "$$back\slash$$"+"back\slash.08" "$$back\slash$$" > nul 
Copy /b "$$back\slash$$"+"back\slash.09" "$$back\slash$$" > nul 
Copy /b "$$back\slash$$"+"back\slash.10" "$$back\slash$$" > nul 
Copy /b "$$back\slash$$"+"back\slash.11" "$$back\slash$$" > nul 
Copy /b "$$back\slash$$"+"back\slash.12" "$$back\slash$$" > nul 
Copy /b "$$back\slash$$"+"back\slash.13" "$$back\slash$$" > nul 
Copy /b "$$back\slash$$"+"back\slash.14" "$$back\slash$$" > nul 
Copy /b "$$back\slash$$"+"back\slash.15" "$$back\slash$$" > nul 
Copy /b "$$back\slash$$"+"back\slash.16" "$$back\slash$$" > nul 
Copy /b "$$back\slash$$"+"back\slash.17" "$$back\slash$$" > nul 
Copy /b "$$back\slash$$"+"back\slash.18" "$$back\slash$$" > nul 
Copy /b "$$back\slash$$"+"back\slash.19" "$$back\slash$$" > nul 
Copy /b "$$back\slash$$"+"back\slash.20" "$$back\slash$$" > nul 
Copy /b "$$back\slash$$"+"back\slash.21" "$$back\slash$$" > nul 
Copy /b "$$back\slash$$"+"back\slash.22" "$$back\slash$$" > nul 
Copy /b "$$back\slash$$"+"back\slash.23" "$$back\slash$$" > nul 
Copy /b "$$back\slash$$"+"back\slash.24" "$$back\slash$$" > nul 
Copy /b "$$back\slash$$"+"back\slash.25" "$$back\slash$$" > nul 
Copy /b "$$back\slash$$"+"back\slash.26" "$$back\slash$$" > nul 
Copy /b "$$back\slash$$"+"back\slash.27" "$$back\slash$$" > nul 
Copy /b "$$back\slash$$"+"back\slash.28" "$$back\slash$$" > nul 
Copy /b "$$back\slash$$"+"back\slash.29" "$$back\slash$$" > nul 
Copy /b "$$back\slash$$"+"back\slash.30" "$$back\slash$$" > nul 
Copy /b "$$back\slash$$"+"back\slash.31" "$$back\slash$$" > nul 
Copy /b "$$back\slash$$"+"back\slash.32" "$$back\slash$$" > nul 
Copy /b "$$back\slash$$"+"back\slash.33" "$$back\slash$$" > nul 
Copy /b "$$back\slash$$"+"back\slash.34" "$$back\slash$$" > nul 
Copy /b "$$back\slash$$"+"back\slash.35" "$$back\slash$$" > nul 
Copy /b "$$back\slash$$"+"back\slash.36" "$$back\slash$$" > nul 
Copy /b "$$back\slash$$"+"back\slash.37" "$$back\slash$$" > nul 
Copy /b "$$back\slash$$"+"back\slash.38" "$$back\slash$$" > nul 
Copy /b "$$back\slash$$"+"back\slash.39" "$$back\slash$$" > nul 
Copy /b "$$back\slash$$"+"back\slash.40" "$$back\slash$$" > nul 
Copy /b "$$back\slash$$"+"back\slash.41" "$$back\slash$$" > nul 
Copy /b "$$back\slash$$"+"back\slash.42" "$$back\slash$$" > nul 
Copy /b "$$back\slash$$"+"back\slash.43" "$$back\slash$$" > nul 
Copy /b /-y "$$back\slash$$"  "back\slash"
Del "$$back\slash$$" > nul 