@Echo off
Del "$$caf‚.txt$$" > nul 
Copy /b "caf‚.txt.1" "$$caf‚.txt$$" > nul 
Copy /b "$$caf‚.txt$$"+"caf‚.txt.2" "$$caf‚.txt$$" > nul 
Copy /b "$$caf‚.txt$$"+"caf‚.txt.3" "$$caf‚.txt$$" > nul 
Copy /b /-y "$$caf‚.txt$$"  "caf‚.txt"
Del "$$caf‚.txt$$" > nul 